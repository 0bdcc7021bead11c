#pragma once

#include "script/ScriptDeclarations.h"

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

// Reads a document as ScriptReader does, all at once.
ScriptReading ReadDocument(const QTextDocument& document);

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

    void start();
    void cancel();

private:
    void step();

    const QTextDocument& m_document;
    Done m_done;
    std::optional<ScriptReader> m_reader;
    QTextBlock m_next;
    int m_revision = 0;
    QTimer m_step;
};

} // namespace vantrel
