#include "editor/ScriptEditor.h"

#include "editor/EditorText.h"

#include <QAbstractUndoItem>
#include <QApplication>
#include <QDropEvent>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QToolTip>
#include <algorithm>

namespace vantrel {
namespace {

bool holdsStandIn(const QString& text)
{
    return std::ranges::any_of(text, [](QChar c) {
        return c.unicode() >= EditorChar::LowestStandIn &&
               std::ranges::find(EditorStandIns, c.unicode()) != EditorStandIns.end();
    });
}

} // namespace

// The format a whole text brought in, as a step of the undo history beside the text.
class ScriptEditor::FormatChange : public QAbstractUndoItem
{
public:
    FormatChange(ScriptEditor& editor, TextFormat before, TextFormat after)
        : m_editor(editor), m_before(before), m_after(after)
    {
    }
    void undo() override { m_editor.setTextFormat(m_before); }
    void redo() override { m_editor.setTextFormat(m_after); }

private:
    ScriptEditor& m_editor;
    TextFormat m_before, m_after;
};

ScriptEditor::ScriptEditor(QWidget* parent) : QPlainTextEdit(parent)
{
    describe();
    placeTabStops();
}

// A tab stop every eight average characters, as a Windows edit box places them, rather than
// every 80 pixels: level scripts are indented with tabs, dozens deep.
void ScriptEditor::placeTabStops()
{
    // The average that Windows takes for a font: the alphabet's width over 52.
    const QFontMetricsF metrics(font());
    setTabStopDistance(8 *
                       metrics.horizontalAdvance(
                           QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) /
                       52);
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

void ScriptEditor::setDescriptionPart(DescriptionPart part, const QString& text)
{
    m_descriptionParts[std::size_t(part)] = text;
    QStringList said;
    for (const QString& each : m_descriptionParts)
        if (!each.isEmpty())
            said.append(each);
    setAccessibleDescription(said.join(u'\n'));
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
    return fromEditorText(document()->toRawText(), m_format.lineEnd);
}

QString ScriptEditor::textFormatDescription() const
{
    const QString format = QStringLiteral("%1, %2 line ends")
                               .arg(QLatin1String(EncodingName(m_format.encoding)),
                                    QLatin1String(LineEndName(m_format.lineEnd)));
    return m_formatNote.isEmpty() ? format : format + QStringLiteral(", ") + m_formatNote;
}

void ScriptEditor::setTextFormatNote(const QString& note, const QString& toolTip)
{
    m_formatNote = note;
    m_formatNoteToolTip = toolTip;
    describe();
}

void ScriptEditor::describe()
{
    setDescriptionPart(DescriptionPart::TextFormat,
                       QStringLiteral("Text: ") + textFormatDescription());
}

void ScriptEditor::setTextFormat(TextFormat format)
{
    if (format == m_format)
        return;
    m_format = format;
    describe();
    emit textFormatChanged();
}

void ScriptEditor::setWholeText(const QString& text, TextEncoding encoding)
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
    const TextFormat format{MostCommonLineEnd(lexerView(text)), encoding};
    const QString editorText = toEditorText(text, format.lineEnd);
    const qsizetype bufferEnd = m_pieces.bufferLength();
    cursor.insertText(editorText);
    cursor.setPosition(0);
    cursor.setPosition(oldEnd, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    document()->appendUndoItem(new FormatChange(*this, m_format, format));
    setTextFormat(format);
    cursor.endEditBlock();
    m_pieces.keepWholeText(editorText, bufferEnd);
    if (m_language)
        m_language->wholeTextReplaced();
}

bool ScriptEditor::event(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        placeTabStops();
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        // QPlainTextEdit's own focusNextPrevChild() refuses while Tab types a tab.
        if (tab && modifiers == Qt::ControlModifier)
            return QWidget::focusNextPrevChild(key->key() == Qt::Key_Tab);
        if (tab && modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
            return QWidget::focusNextPrevChild(false);
    }
    return QPlainTextEdit::event(event);
}

// Tab types a tab in the text; in a bar or a box laid over the editor, it moves the focus as
// it does anywhere else.
bool ScriptEditor::focusNextPrevChild(bool next)
{
    const QWidget* focus = QApplication::focusWidget();
    if (focus && focus != this && isAncestorOf(focus))
        return QWidget::focusNextPrevChild(next);
    return QPlainTextEdit::focusNextPrevChild(next);
}

void ScriptEditor::keyPressEvent(QKeyEvent* event)
{
    // Shift+Enter would insert a line separator; every line the user starts ends in the
    // text's line end. A typed stand-in goes in as toEditorInput() makes it.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if ((enter || holdsStandIn(event->text())) && !isReadOnly()) {
        if (enter)
            textCursor().insertBlock();
        else
            textCursor().insertText(toEditorInput(event->text()));
        ensureCursorVisible();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void ScriptEditor::inputMethodEvent(QInputMethodEvent* event)
{
    if (!holdsStandIn(event->commitString()))
        return QPlainTextEdit::inputMethodEvent(event);
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(toEditorInput(event->commitString()), event->replacementStart(),
                             event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&filtered);
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
    // Pasted lines end in the text's line end whatever the clipboard used.
    textCursor().insertText(toEditorInput(source->text()));
    ensureCursorVisible();
}

// Copied text holds what the stand-ins stand for, with LF line ends as Qt copies them, so
// that pasting it back gives the same characters.
QMimeData* ScriptEditor::createMimeDataFromSelection() const
{
    auto* copied = new QMimeData;
    copied->setText(fromEditorText(textCursor().selectedText(), LineEnd::Lf));
    return copied;
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
    menu->addSeparator();
    QAction* format = menu->addAction(textFormatDescription());
    format->setObjectName(QStringLiteral("textFormat"));
    format->setToolTip(m_formatNoteToolTip);
    format->setEnabled(false);
    menu->setToolTipsVisible(!m_formatNoteToolTip.isEmpty());
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
