#include "editor/EditorText.h"

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
    qsizetype to = from;
    for (const QChar c : std::as_const(text))
        to += std::max<qsizetype>(0, qsizetype(fileText(c.unicode()).size()) - 1);
    text.resize(to);
    char16_t* const data = reinterpret_cast<char16_t*>(text.data());
    while (from > 0) {
        const char16_t c = data[--from];
        const std::u16string_view mapped = fileText(c);
        if (mapped.empty())
            data[--to] = c;
        for (size_t k = mapped.size(); k > 0;)
            data[--to] = mapped[--k];
    }
    return text;
}

} // namespace vantrel
