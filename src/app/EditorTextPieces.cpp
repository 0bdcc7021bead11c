#include "EditorTextPieces.h"

#include "EditorText.h"

#include <QPlainTextEdit>
#include <array>
#include <private/qtextdocument_p.h>

namespace vantrel {
namespace {

// What a stand-in for a single character stands for; any other character as it is.
constexpr char16_t oneToOne(char16_t c)
{
    return c == EditorChar::LineFeed         ? u'\n'
           : c == EditorChar::CarriageReturn ? u'\r'
           : c == EditorChar::Null           ? u'\0'
                                             : c;
}

// Gathers the document's text as the file has it in a small buffer, handed on each time it
// fills: one piece for many lines, rather than one or more for each.
class FileTextBuffer
{
public:
    explicit FileTextBuffer(const TextPieces::Take& take) : m_take(take) {}

    // Takes a fragment of the document; false once the taker wants no more. A paragraph
    // break is always a fragment of its own in a QTextDocument, the one stand-in for two
    // characters: the others are mapped in place when the buffer is handed on.
    bool add(std::u16string_view fragment)
    {
        if (fragment.size() == 1 && fragment[0] == EditorChar::ParagraphBreak)
            fragment = fileText(EditorChar::ParagraphBreak);
        // A short fragment, as nearly every line is, goes in whole.
        if (fragment.size() > m_text.size() - m_used && fragment.size() <= m_text.size() &&
            !handOn())
            return false;
        while (!fragment.empty()) {
            const std::size_t count = std::min(fragment.size(), m_text.size() - m_used);
            std::copy_n(fragment.begin(), count, m_text.begin() + m_used);
            m_used += count;
            fragment.remove_prefix(count);
            if (m_used == m_text.size() && !handOn())
                return false;
        }
        return true;
    }

    bool handOn()
    {
        // In runs of a fixed length, which compilers vectorise, then the rest.
        constexpr std::size_t Run = 32;
        std::size_t i = 0;
        for (; i + Run <= m_used; i += Run)
            for (std::size_t k = i; k < i + Run; ++k)
                m_text[k] = oneToOne(m_text[k]);
        for (; i < m_used; ++i)
            m_text[i] = oneToOne(m_text[i]);
        return m_used == 0 || m_take({m_text.data(), std::exchange(m_used, 0)});
    }

private:
    const TextPieces::Take& m_take;
    std::array<char16_t, 8192> m_text;
    std::size_t m_used = 0;
};

} // namespace

// The walk that QTextDocument::toRawText() makes, without its copy of the whole text: the
// document's fragments in order, each a run of its buffer. The public ways to read a part of
// the text (QTextBlock::text(), QTextCursor::selectedText()) search the document's trees
// for every line, which made a save of a long script take many times as long as writing
// its bytes.
void EditorTextPieces::forEachPiece(const Take& take) const
{
    const QTextDocument& document = *m_editor.document();
    const QTextDocumentPrivate* text = QTextDocumentPrivate::get(&document);
    const QString buffer = text->buffer();
    const auto* characters = reinterpret_cast<const char16_t*>(buffer.constData());
    FileTextBuffer gathered(take);
    // The last block's separator ends the document, not the text.
    qsizetype left = document.characterCount() - 1;
    for (auto fragment = text->begin(); left > 0 && fragment != text->end(); ++fragment) {
        const qsizetype size = std::min<qsizetype>(fragment.value()->size_array[0], left);
        left -= size;
        if (!gathered.add({characters + fragment.value()->stringPosition, std::size_t(size)}))
            return;
    }
    gathered.handOn();
}

} // namespace vantrel
