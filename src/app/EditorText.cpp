#include "EditorText.h"

#include <algorithm>

namespace vantrel {

// Appending character by character was a large part of loading or saving a long script
// (the benchmark's load and save figures); both now write straight into a buffer of the
// final size.

QString toEditorText(const QString& text)
{
    QString mapped(text.size(), Qt::Uninitialized);
    const char16_t* in = QStringView(text).utf16();
    const char16_t* const end = in + text.size();
    char16_t* const first = reinterpret_cast<char16_t*>(mapped.data());
    char16_t* out = first;
    while (in != end) {
        char16_t c = *in++;
        if (c == u'\r' && in != end && *in == u'\n') {
            c = EditorChar::ParagraphBreak;
            ++in;
        } else if (c == u'\n') {
            c = EditorChar::LineFeed;
        } else if (c == u'\r') {
            c = EditorChar::CarriageReturn;
        } else if (c == u'\0') {
            c = EditorChar::Null;
        }
        *out++ = c;
    }
    mapped.truncate(out - first);
    return mapped;
}

QString fromEditorText(QString text)
{
    // Mapped back in place, from the end, since a paragraph break grows into CR LF: a text
    // fresh from the document needs no second buffer, whose first use costs more than the
    // mapping itself (a page fault per 4 KB).
    qsizetype from = text.size();
    text.resize(from + std::count(text.cbegin(), text.cend(), QChar(EditorChar::ParagraphBreak)));
    char16_t* const data = reinterpret_cast<char16_t*>(text.data());
    qsizetype to = text.size();
    while (from > 0) {
        switch (const char16_t c = data[--from]) {
        case EditorChar::ParagraphBreak:
            data[--to] = u'\n';
            data[--to] = u'\r';
            break;
        case EditorChar::LineFeed:
            data[--to] = u'\n';
            break;
        case EditorChar::CarriageReturn:
            data[--to] = u'\r';
            break;
        case EditorChar::Null:
            data[--to] = u'\0';
            break;
        default:
            data[--to] = c;
        }
    }
    return text;
}

} // namespace vantrel
