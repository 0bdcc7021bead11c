#include "editor/EditorTextPieces.h"

#include "editor/EditorText.h"

#include <QPlainTextEdit>
#include <algorithm>
#include <array>
#include <cstring>
#ifdef VANTREL_FAST_SAVE
#include <private/qtextdocument_p.h>
#endif

namespace vantrel {
namespace {

// Gathers the document's text as the file has it in a small buffer, handed on each time it
// fills: one piece for many lines, rather than one or more for each.
class FileTextBuffer
{
public:
    FileTextBuffer(const TextPieces::Take& take, LineEnd lineEnd) : m_take(take), m_lineEnd(lineEnd)
    {
    }

    // Takes a stretch of the document's text, each stand-in written out as what it stands
    // for; false once the taker wants no more.
    bool add(std::u16string_view text)
    {
        const char16_t* from = text.data();
        const char16_t* const end = from + text.size();
        while (from != end) {
            if (m_text.size() - m_used < Block && !handOn())
                return false;
            from = copyPlain(from, end);
            if (from != end && *from >= EditorChar::LowestStandIn) {
                if (!putStandIn(*from))
                    return false;
                ++from;
            }
        }
        return true;
    }

    bool handOn() { return m_used == 0 || m_take({m_text.data(), std::exchange(m_used, 0)}); }

private:
    // Stand-ins are looked for while the text is copied, a block at a time in a loop that
    // compilers vectorise: a block whose characters, ORed together, stay below 0x2000 holds
    // none of them, as nearly every block does.
    static constexpr std::ptrdiff_t Block = 16;
    static_assert(EditorChar::LowestStandIn >= 0x2000);

    // Copies characters that stand for themselves until a stand-in, the end or a full
    // buffer; returns where it stopped.
    const char16_t* copyPlain(const char16_t* from, const char16_t* end)
    {
        char16_t* to = m_text.data() + m_used;
        char16_t* const full = m_text.data() + m_text.size();
        for (;;) {
            while (end - from >= Block && full - to >= Block) {
                std::array<char16_t, Block> block;
                std::memcpy(block.data(), from, sizeof block);
                std::memcpy(to, block.data(), sizeof block);
                char16_t bits = 0;
                for (const char16_t c : block)
                    bits |= c;
                if (bits >= 0x2000)
                    break;
                from += Block;
                to += Block;
            }
            // A block that may hold one, or the last few characters: one at a time.
            const char16_t* const stop = from + std::min({end - from, full - to, Block});
            while (from != stop && *from < EditorChar::LowestStandIn)
                *to++ = *from++;
            if (from != stop || from == end || to == full)
                break;
        }
        m_used = std::size_t(to - m_text.data());
        return from;
    }

    // A character from U+2028 on: a stand-in written out, any other as it is.
    bool putStandIn(char16_t c)
    {
        if (m_text.size() - m_used < 2 && !handOn())
            return false;
        const std::u16string_view standsFor = fileText(c, m_lineEnd);
        if (standsFor.empty())
            m_text[m_used++] = c;
        for (const char16_t written : standsFor)
            m_text[m_used++] = written;
        return true;
    }

    const TextPieces::Take& m_take;
    LineEnd m_lineEnd;
    std::array<char16_t, 8192> m_text;
    std::size_t m_used = 0;
};

std::u16string_view utf16(const QString& text, qsizetype from, qsizetype length)
{
    return {reinterpret_cast<const char16_t*>(text.constData()) + from, std::size_t(length)};
}

#ifdef VANTREL_FAST_SAVE
const QTextDocumentPrivate& documentText(const QPlainTextEdit& editor)
{
    return *QTextDocumentPrivate::get(editor.document());
}

// The long way, as QTextDocument::toRawText() goes but without its copy of the whole text:
// the document's fragments from position on, each a run of its buffer. The public ways to
// read a part of the text (QTextBlock::text(), QTextCursor::selectedText()) search the
// document's trees for every line, which made a save of a long script take many times as
// long as writing its bytes.
bool addFragments(FileTextBuffer& gathered, const QTextDocumentPrivate& text, const QString& buffer,
                  qsizetype position, qsizetype length)
{
    const qsizetype end = position + length;
    auto fragment = text.find(int(position));
    // A fragment's position is looked up once; the next one starts where it ends.
    for (qsizetype start = fragment.atEnd() ? end : fragment.position();
         start < end && !fragment.atEnd(); ++fragment) {
        const qsizetype size = fragment.value()->size_array[0];
        const qsizetype from = std::max(position, start);
        const qsizetype to = std::min(end, start + size);
        if (!gathered.add(
                utf16(buffer, fragment.value()->stringPosition + (from - start), to - from)))
            return false;
        start += size;
    }
    return true;
}
#endif

} // namespace

EditorTextPieces::EditorTextPieces(const QPlainTextEdit& editor, const TextFormat& format)
    : m_editor(editor), m_format(format)
{
    m_known.forget(textLength());
    m_changes = QObject::connect(
        editor.document(), &QTextDocument::contentsChange,
        [this](int position, int removed, int added) { changed(position, removed, added); });
}

EditorTextPieces::~EditorTextPieces()
{
    QObject::disconnect(m_changes);
}

// The document reports every change here, Undo and Redo included (all but one made from
// within this very signal, which nothing in the program does). Qt counts the document's
// last separator in some changes, which the text does not have; and a change made while
// the document keeps no undo history may let Qt pack its buffer anew, which moves every
// run. After either nothing is known any more.
void EditorTextPieces::changed(int position, int removed, int added)
{
    m_known.change(position, removed, added);
    if (!m_editor.document()->isUndoRedoEnabled() || m_known.length() != textLength())
        m_known.forget(textLength());
}

qsizetype EditorTextPieces::textLength() const
{
    // The last block's separator ends the document, not the text.
    return m_editor.document()->characterCount() - 1;
}

#ifdef VANTREL_FAST_SAVE
// Whether what is known still holds: checked on every save, so that no stretch is read
// from a buffer that does not have it.
bool EditorTextPieces::knownStretchesHold(const QString& buffer) const
{
    const auto inBuffer = [&buffer](const KnownStretches::Stretch& stretch) {
        return stretch.bufferFrom == KnownStretches::Unknown ||
               stretch.bufferFrom + stretch.length <= buffer.size();
    };
    return m_editor.document()->isUndoRedoEnabled() && m_known.length() == textLength() &&
           std::ranges::all_of(m_known.stretches(), inBuffer);
}

qsizetype EditorTextPieces::bufferLength() const
{
    return documentText(m_editor).buffer().size();
}

void EditorTextPieces::keepWholeText(const QString& editorText, qsizetype bufferLengthBefore)
{
    const QString buffer = documentText(m_editor).buffer();
    // Qt appends an inserted text to its buffer whole. Were it ever to stop, a save would
    // simply take the long way.
    if (textLength() == editorText.size() && bufferLengthBefore >= 0 &&
        QStringView(buffer).mid(bufferLengthBefore, editorText.size()) == editorText)
        m_known.knowWhole(editorText.size(), bufferLengthBefore);
    else
        m_known.forget(textLength());
}

void EditorTextPieces::forEachPiece(const Take& take) const
{
    const QTextDocumentPrivate& text = documentText(m_editor);
    const QString buffer = text.buffer();
    const std::vector<KnownStretches::Stretch> unknown{{textLength(), KnownStretches::Unknown}};
    FileTextBuffer gathered(take, m_format.lineEnd);
    qsizetype position = 0;
    for (const auto& stretch : knownStretchesHold(buffer) ? m_known.stretches() : unknown) {
        const bool added = stretch.bufferFrom == KnownStretches::Unknown
                               ? addFragments(gathered, text, buffer, position, stretch.length)
                               : gathered.add(utf16(buffer, stretch.bufferFrom, stretch.length));
        if (!added)
            return;
        position += stretch.length;
    }
    gathered.handOn();
}
#else
// Without Qt's private headers there is no buffer to read: the text is copied once, as
// wholeText() does, and nothing is ever known to lie anywhere.
qsizetype EditorTextPieces::bufferLength() const
{
    return -1;
}

void EditorTextPieces::keepWholeText(const QString&, qsizetype)
{
    m_known.forget(textLength());
}

void EditorTextPieces::forEachPiece(const Take& take) const
{
    const QString text = m_editor.document()->toRawText();
    FileTextBuffer gathered(take);
    if (gathered.add(utf16(text, 0, text.size())))
        gathered.handOn();
}
#endif

} // namespace vantrel
