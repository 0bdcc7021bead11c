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

// The character that stands for a paragraph break in what the check reads: one either way,
// so that the check's offsets are the document's positions. CR LF stays the paragraph
// break, which the check counts as one line end.
char16_t breakAs(LineEnd paragraphBreak)
{
    return paragraphBreak == LineEnd::CrLf ? EditorChar::ParagraphBreak
                                           : LineEndText(paragraphBreak).front();
}

// Hands one block and the line end after it to the reader; the next block, or an invalid
// one at the end.
QTextBlock feed(ScriptReader& reader, const QTextBlock& block, const char16_t& lineBreak)
{
    reader.add(lexerView(block.text()));
    const QTextBlock next = block.next();
    if (next.isValid())
        reader.add({&lineBreak, 1});
    return next;
}

} // namespace

// The whole text at once costs far less than block by block.
ScriptReading ReadDocument(const QTextDocument& document, LineEnd paragraphBreak)
{
    QString text = document.toRawText();
    if (paragraphBreak != LineEnd::CrLf)
        text.replace(QChar(EditorChar::ParagraphBreak), QChar(breakAs(paragraphBreak)));
    return ReadScript(lexerView(text));
}

void IdleCheck::start(LineEnd paragraphBreak)
{
    m_break = breakAs(paragraphBreak);
    m_reader.emplace(m_functions);
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
    // The clock is read every 16 lines, and after each long one: real scripts have lines of
    // thousands of characters.
    for (int blocks = 1; m_next.isValid(); ++blocks) {
        const bool longLine = m_next.length() > 1024;
        m_next = feed(*m_reader, m_next, m_break);
        if ((longLine || blocks % 16 == 0) && deadline.hasExpired()) {
            m_step.start();
            return;
        }
    }
    ScriptReading reading = m_reader->finish();
    m_reader.reset();
    m_done(std::move(reading), m_revision);
}

} // namespace vantrel
