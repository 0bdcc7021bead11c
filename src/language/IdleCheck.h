#pragma once

#include "script/ScriptCheck.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTextBlock>
#include <QTimer>
#include <functional>
#include <optional>

class QTextDocument;

namespace vantrel {

// Work done while the program is idle goes in steps this short, so that a step added to
// the toolkit's own deferred work leaves no pause anyone notices.
inline QDeadlineTimer IdleStepDeadline()
{
    return QDeadlineTimer(1, Qt::PreciseTimer);
}

// Runs the structure check over a document a few milliseconds at a time while the program
// is idle, so that a long script never holds up a keystroke. An edit before it is done
// makes it start over.
class IdleCheck : public QObject
{
    Q_OBJECT

public:
    using Done = std::function<void(std::vector<ScriptProblem>)>;
    IdleCheck(const QTextDocument& document, Done done);

    void start();
    void cancel();
    // Calls of these functions are checked too, from the next start on; null for none.
    void setFunctions(const FunctionList* functions) { m_functions = functions; }

private:
    void step();

    const QTextDocument& m_document;
    Done m_done;
    const FunctionList* m_functions = nullptr;
    std::optional<ScriptChecker> m_checker;
    QTextBlock m_next;
    QTimer m_step;
};

} // namespace vantrel
