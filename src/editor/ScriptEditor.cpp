#include "editor/ScriptEditor.h"

#include "editor/EditorText.h"

#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextBlock>
#include <QToolTip>

namespace vantrel {

ScriptEditor::ScriptEditor(QWidget* parent) : QPlainTextEdit(parent)
{
}

// The language support goes first, while the document it watches is still there.
ScriptEditor::~ScriptEditor()
{
    m_language.reset();
}

void ScriptEditor::setLanguage(std::unique_ptr<EditorLanguage> language)
{
    m_language = std::move(language);
    viewport()->update();
}

QRectF ScriptEditor::blockRectInView(const QTextBlock& block) const
{
    return blockBoundingGeometry(block).translated(contentOffset());
}

void ScriptEditor::setSelectionGroup(const QString& group,
                                     const QList<QTextEdit::ExtraSelection>& marks)
{
    auto& kept = m_selectionGroups[group];
    if (kept.isEmpty() && marks.isEmpty())
        return; // nothing shown changes: spare the viewport its repaint
    kept = marks;
    QList<QTextEdit::ExtraSelection> all;
    for (const auto& [name, groupMarks] : m_selectionGroups)
        all += groupMarks;
    setExtraSelections(all);
}

const QList<QTextEdit::ExtraSelection>& ScriptEditor::selectionGroup(const QString& group) const
{
    static const QList<QTextEdit::ExtraSelection> none;
    const auto found = m_selectionGroups.find(group);
    return found == m_selectionGroups.end() ? none : found->second;
}

QString ScriptEditor::wholeText() const
{
    return fromEditorText(document()->toRawText());
}

void ScriptEditor::setWholeText(const QString& text)
{
    // The editor's own cursor goes to the start first and stays there: the new text goes in
    // behind the old one, which is then removed. A cursor pushed along to the end of the new
    // text would make the widget lay out the last lines to find its place, which for long
    // lines costs far more than the load itself. An empty editor gets a placeholder to stand
    // in front of.
    const bool empty = document()->isEmpty();
    QTextCursor cursor(document());
    if (empty) {
        cursor.beginEditBlock();
        cursor.insertText(QStringLiteral(" "));
        cursor.endEditBlock();
    }
    setTextCursor(QTextCursor(document()));

    if (empty)
        cursor.joinPreviousEditBlock(); // one step for Undo, placeholder included
    else
        cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::End);
    const int oldEnd = cursor.position();
    const QString editorText = toEditorText(text);
    const qsizetype bufferEnd = m_pieces.bufferLength();
    cursor.insertText(editorText);
    cursor.setPosition(0);
    cursor.setPosition(oldEnd, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    m_pieces.keepWholeText(editorText, bufferEnd);
    if (m_language)
        m_language->wholeTextReplaced();
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

QString ScriptEditor::droppedFile(const QMimeData* data)
{
    for (const QUrl& url : data->urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return QString();
}

// A file manager offers a dropped file as its address and often as text too: the file
// wins, and is loaded rather than its name typed in.
void ScriptEditor::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFile(event->mimeData()).isEmpty())
        return QPlainTextEdit::dragEnterEvent(event);
    event->acceptProposedAction();
}

void ScriptEditor::dragMoveEvent(QDragMoveEvent* event)
{
    if (droppedFile(event->mimeData()).isEmpty())
        return QPlainTextEdit::dragMoveEvent(event);
    event->acceptProposedAction();
}

void ScriptEditor::dropEvent(QDropEvent* event)
{
    const QString file = droppedFile(event->mimeData());
    if (file.isEmpty())
        return QPlainTextEdit::dropEvent(event);
    event->acceptProposedAction();
    emit fileDropped(file);
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

void ScriptEditor::paintEvent(QPaintEvent* event)
{
    if (m_language)
        m_language->beforePaint();
    QPlainTextEdit::paintEvent(event);
}

void ScriptEditor::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu(event->pos());
    if (m_language)
        m_language->addActions(*menu);
    // The editor's own commands (find, go to line, ...), each shown with its shortcut.
    if (!actions().isEmpty()) {
        menu->addSeparator();
        menu->addActions(actions());
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

bool ScriptEditor::viewportEvent(QEvent* event)
{
    if (m_language && event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QRect area;
        const QString text = m_language->toolTipAt(help->pos(), area);
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, viewport(), area);
        return true;
    }
    return QPlainTextEdit::viewportEvent(event);
}

} // namespace vantrel
