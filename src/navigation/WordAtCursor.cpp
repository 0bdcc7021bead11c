#include "navigation/WordAtCursor.h"

#include "script/ScriptLexer.h"

#include <QTextCursor>
#include <QTextDocument>

namespace vantrel {
namespace {

// Names are at most a few dozen characters: the text this far each way holds any name at
// a position, without copying a long line (an LF file is one block in the editor).
constexpr int Reach = 128;

struct Around
{
    int from;
    QString text;
};

Around around(const QTextDocument& document, int position)
{
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    const int from = std::max(0, position - Reach);
    cursor.setPosition(from);
    cursor.setPosition(std::min(document.characterCount() - 1, position + Reach),
                       QTextCursor::KeepAnchor);
    return {from, cursor.selectedText()};
}

} // namespace

bool isNameCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return !(u == u' ' || u == u'\t' || u == u'(' || u == u')' || u == u'"' || u == u';' ||
             IsLineEnd(u) || u == 0x2029 || u == 0x2028);
}

WordAt wordAt(const QTextDocument& document, int position)
{
    const Around near = around(document, position);
    qsizetype start = position - near.from, end = start;
    while (start > 0 && isNameCharacter(near.text[start - 1]))
        --start;
    while (end < near.text.size() && isNameCharacter(near.text[end]))
        ++end;
    return {near.from + int(start), near.text.mid(start, end - start)};
}

WordAt wordBefore(const QTextDocument& document, int position)
{
    const Around near = around(document, position);
    qsizetype start = position - near.from;
    const qsizetype end = start;
    while (start > 0 && isNameCharacter(near.text[start - 1]))
        --start;
    return {near.from + int(start), near.text.mid(start, end - start)};
}

} // namespace vantrel
