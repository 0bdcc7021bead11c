#include "editor/EditorText.h"

#include <algorithm>

namespace vantrel {

// Appending character by character was a large part of loading or saving a long script
// (the benchmark's load and save figures); both now write straight into a buffer of the
// final size.

QString toEditorText(const QString& text, LineEnd lineEnd)
{
    const char16_t lineFeed =
        lineEnd == LineEnd::Lf ? EditorChar::ParagraphBreak : EditorChar::LineFeed;
    const char16_t carriageReturn =
        lineEnd == LineEnd::Cr ? EditorChar::ParagraphBreak : EditorChar::CarriageReturn;
    const bool pairs = lineEnd == LineEnd::CrLf;
    QString mapped(text.size(), Qt::Uninitialized);
    const char16_t* in = QStringView(text).utf16();
    const char16_t* const end = in + text.size();
    char16_t* const first = reinterpret_cast<char16_t*>(mapped.data());
    char16_t* out = first;
    while (in != end) {
        char16_t c = *in++;
        if (c >= 0x20) {
            *out++ = c;
            continue;
        }
        if (c == u'\r' && pairs && in != end && *in == u'\n') {
            c = EditorChar::ParagraphBreak;
            ++in;
        } else if (c == u'\n') {
            c = lineFeed;
        } else if (c == u'\r') {
            c = carriageReturn;
        } else if (c == u'\0') {
            c = EditorChar::Null;
        }
        *out++ = c;
    }
    mapped.truncate(out - first);
    return mapped;
}

QString fromEditorText(QString text, LineEnd lineEnd)
{
    // Mapped back in place, from the end, since a paragraph break may grow into CR LF: a
    // text fresh from the document needs no second buffer, whose first use costs more than
    // the mapping itself (a page fault per 4 KB).
    qsizetype from = text.size();
    qsizetype to = from;
    if (lineEnd == LineEnd::CrLf)
        to += text.count(QChar(EditorChar::ParagraphBreak));
    text.resize(to);
    char16_t* const data = reinterpret_cast<char16_t*>(text.data());
    while (from > 0) {
        const char16_t c = data[--from];
        const std::u16string_view mapped =
            c < EditorChar::LowestStandIn ? std::u16string_view() : fileText(c, lineEnd);
        if (mapped.empty())
            data[--to] = c;
        for (size_t k = mapped.size(); k > 0;)
            data[--to] = mapped[--k];
    }
    return text;
}

QString toEditorInput(const QString& text)
{
    QString mapped;
    mapped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        switch (c) {
        case u'\r':
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            [[fallthrough]];
        case u'\n':
        case EditorChar::LineFeed:
        case EditorChar::ParagraphBreak:
            mapped += QChar(EditorChar::ParagraphBreak);
            break;
        case u'\0':
            mapped += QChar(EditorChar::Null);
            break;
        case EditorChar::CarriageReturn:
        case EditorChar::Null:
            mapped += QChar(QChar::ReplacementCharacter);
            break;
        default:
            mapped += QChar(c);
        }
    }
    return mapped;
}

} // namespace vantrel
