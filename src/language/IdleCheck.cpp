#include "language/IdleCheck.h"

#include "editor/EditorText.h"

#include <QTextDocument>

namespace vantrel {

IdleCheck::IdleCheck(const QTextDocument& document, Done done)
    : m_document(document), m_done(std::move(done))
{
    m_step.setSingleShot(true);
    m_step.setInterval(0);
    connect(&m_step, &QTimer::timeout, this, &IdleCheck::step);
}

namespace {

// Hands one block and the line end after it to the reader; the next block, or an invalid
// one at the end.
QTextBlock feed(ScriptReader& reader, const QTextBlock& block)
{
    static constexpr char16_t Break[] = {EditorChar::ParagraphBreak};
    reader.add(lexerView(block.text()));
    const QTextBlock next = block.next();
    if (next.isValid())
        reader.add({Break, 1});
    return next;
}

} // namespace

// The whole text at once costs far less than block by block; the text's paragraph breaks
// are those the idle check puts between blocks.
ScriptReading ReadDocument(const QTextDocument& document)
{
    return ReadScript(lexerView(document.toRawText()));
}

void IdleCheck::start()
{
    m_reader.emplace();
    m_next = m_document.firstBlock();
    m_revision = m_document.revision();
    step();
}

void IdleCheck::cancel()
{
    m_reader.reset();
    m_step.stop();
}

void IdleCheck::step()
{
    if (!m_reader)
        return;
    const QDeadlineTimer deadline = IdleStepDeadline();
    for (int blocks = 1; m_next.isValid(); ++blocks) {
        m_next = feed(*m_reader, m_next);
        if (blocks % 16 == 0 && deadline.hasExpired()) {
            m_step.start();
            return;
        }
    }
    ScriptReading reading = m_reader->finish();
    m_reader.reset();
    m_done(std::move(reading), m_revision);
}

} // namespace vantrel
