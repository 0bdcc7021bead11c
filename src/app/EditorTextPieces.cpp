#include "EditorTextPieces.h"

#include "EditorText.h"

#include <QPlainTextEdit>
#include <private/qtextdocument_p.h>

namespace vantrel {
namespace {

// Hands over a run of the document's text as the file has it: plain characters as they
// stand, each stand-in for a line end or NUL as what it stands for.
bool takeMapped(const char16_t* begin, const char16_t* end, const TextPieces::Take& take)
{
    const char16_t* plain = begin;
    for (const char16_t* c = begin; c != end; ++c) {
        const std::u16string_view mapped = fileText(*c);
        if (mapped.empty())
            continue;
        if ((c != plain && !take({plain, size_t(c - plain)})) || !take(mapped))
            return false;
        plain = c + 1;
    }
    return plain == end || take({plain, size_t(end - plain)});
}

} // namespace

// The walk that QTextDocument::toRawText() makes, without the copy: the document's
// fragments in order, each a run of its buffer. The public ways to read a part of the text
// (QTextBlock::text(), QTextCursor::selectedText()) search the document's trees for every
// line, which made a save of a long script take several times as long as writing it.
void EditorTextPieces::forEachPiece(const Take& take) const
{
    const QTextDocument& document = *m_editor.document();
    const QTextDocumentPrivate* text = QTextDocumentPrivate::get(&document);
    const QString buffer = text->buffer();
    const auto* characters = reinterpret_cast<const char16_t*>(buffer.constData());
    // The last block's separator ends the document, not the text.
    qsizetype left = document.characterCount() - 1;
    for (auto fragment = text->begin(); left > 0 && fragment != text->end(); ++fragment) {
        const qsizetype size = std::min<qsizetype>(fragment.value()->size_array[0], left);
        const char16_t* run = characters + fragment.value()->stringPosition;
        left -= size;
        if (!takeMapped(run, run + size, take))
            return;
    }
}

} // namespace vantrel
