#pragma once

#include <QList>
#include <QString>

namespace vantrel {

// Where the file store's failure messages and the file commands' questions go: modal boxes
// in the program, a recorder in tests, so that no test ever waits on a box.
class MessageSink
{
public:
    enum class Answer
    {
        Save,
        Discard,
        Cancel
    };

    virtual ~MessageSink() = default;
    // Shows a critical-error message with an OK button and returns once it is dismissed.
    virtual void showCritical(const QString& title, const QString& text) = 0;
    // Asks a question with a button for each answer offered and returns the one chosen;
    // closing the box is Cancel. A sink that cannot ask (the command line) answers Cancel,
    // which keeps every file and every text as it is.
    virtual Answer ask(const QString& title, const QString& text, const QList<Answer>& offered)
    {
        Q_UNUSED(title);
        Q_UNUSED(text);
        Q_UNUSED(offered);
        return Answer::Cancel;
    }
};

} // namespace vantrel
