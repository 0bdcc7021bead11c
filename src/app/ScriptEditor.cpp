#include "ScriptEditor.h"

#include "EditorText.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextBlock>

namespace vantrel {

ScriptEditor::ScriptEditor(QWidget* parent) : QPlainTextEdit(parent)
{
}

QString ScriptEditor::wholeText() const
{
    return fromEditorText(document()->toRawText());
}

void ScriptEditor::setWholeText(const QString& text)
{
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(toEditorText(text));
    cursor.endEditBlock();
    cursor.movePosition(QTextCursor::Start);
    setTextCursor(cursor);
}

void ScriptEditor::keyPressEvent(QKeyEvent* event)
{
    // Shift+Enter would insert a lone LF; every line the user starts ends in CR LF.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !isReadOnly()) {
        textCursor().insertBlock();
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ScriptEditor::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    // Pasted lines end in CR LF whatever the clipboard used; other characters stay.
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QString text = source->text();
    text.replace(lineEnd, QStringLiteral("\r\n"));
    textCursor().insertText(toEditorText(text));
    ensureCursorVisible();
}

} // namespace vantrel
