#pragma once

#include <QString>
#include <memory>

class QMessageBox;
class QWidget;

namespace vantrel {

// Where the file store's failure messages go: a modal box in the program, a recorder in
// tests, so that no test ever waits on a box.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    // Shows a critical-error message with an OK button and returns once it is dismissed.
    virtual void showCritical(const QString& title, const QString& text) = 0;
};

class MessageBoxSink : public MessageSink
{
public:
    explicit MessageBoxSink(QWidget* parent) : m_parent(parent) {}

    void showCritical(const QString& title, const QString& text) override;

    // The box that showCritical runs, made but not shown.
    static std::unique_ptr<QMessageBox> criticalBox(QWidget* parent, const QString& title,
                                                    const QString& text);

private:
    QWidget* m_parent;
};

} // namespace vantrel
