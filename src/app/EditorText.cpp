#include "EditorText.h"

namespace vantrel {

QString toEditorText(const QString& text)
{
    QString mapped;
    mapped.reserve(text.size());
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < size && text.at(i + 1) == u'\n') {
            mapped += QChar(EditorChar::ParagraphBreak);
            ++i;
        } else if (c == u'\n') {
            mapped += QChar(EditorChar::LineFeed);
        } else if (c == u'\r') {
            mapped += QChar(EditorChar::CarriageReturn);
        } else if (c == u'\0') {
            mapped += QChar(EditorChar::Null);
        } else {
            mapped += c;
        }
    }
    return mapped;
}

QString fromEditorText(const QString& editorText)
{
    QString text;
    text.reserve(editorText.size() + editorText.size() / 16);
    for (const QChar c : editorText) {
        switch (c.unicode()) {
        case EditorChar::ParagraphBreak:
            text += u"\r\n";
            break;
        case EditorChar::LineFeed:
            text += u'\n';
            break;
        case EditorChar::CarriageReturn:
            text += u'\r';
            break;
        case EditorChar::Null:
            text += QChar(u'\0');
            break;
        default:
            text += c;
        }
    }
    return text;
}

} // namespace vantrel
