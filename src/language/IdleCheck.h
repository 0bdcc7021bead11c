#pragma once

#include "script/ScriptDeclarations.h"
#include "script/TextFormat.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTextBlock>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>

class QTextDocument;

namespace vantrel {

// Work done while the program is idle goes in steps this short, so that a step added to
// the toolkit's own deferred work leaves no pause anyone notices. The colouring and the
// check each take one, often back to back in one pass of the event loop: together they
// stay within a millisecond.
inline QDeadlineTimer IdleStepDeadline()
{
    return QDeadlineTimer(std::chrono::microseconds(500), Qt::PreciseTimer);
}

// Reads a document as ScriptReader does, all at once, its paragraph breaks as the given line
// end, as the file will have them.
ScriptReading ReadDocument(const QTextDocument& document, LineEnd paragraphBreak);

// Runs the check (structure and declarations) over a document a few milliseconds at a time
// while the program is idle, so that a long script never holds up a keystroke. An edit
// before it is done makes it start over.
class IdleCheck : public QObject
{
    Q_OBJECT

public:
    // What was read, and the document's revision it was read from.
    using Done = std::function<void(ScriptReading, int revision)>;
    IdleCheck(const QTextDocument& document, Done done);

    // Paragraph breaks are checked as the given line end, as the file will have them.
    void start(LineEnd paragraphBreak = LineEnd::CrLf);
    void cancel();
    // Calls of these functions are checked too, from the next start on; null for none.
    void setFunctions(const FunctionList* functions) { m_functions = functions; }

private:
    void step();

    const QTextDocument& m_document;
    Done m_done;
    const FunctionList* m_functions = nullptr;
    std::optional<ScriptReader> m_reader;
    char16_t m_break = 0;
    QTextBlock m_next;
    int m_revision = 0;
    QTimer m_step;
};

} // namespace vantrel
