#pragma once

#include "editor/EditorLanguage.h"
#include "editor/EditorTextPieces.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <map>
#include <memory>

namespace vantrel {

// A plain-text box whose whole text is exact: what setWholeText() puts in, wholeText()
// gives back, every line end and control character included. Enter, Shift+Enter, paste
// and dropped text all produce CR LF line ends; a dropped file is handed on, not inserted.
class ScriptEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ScriptEditor(QWidget* parent = nullptr);
    ~ScriptEditor() override;

    QString wholeText() const;
    // Replaces everything in one step that Undo can take back, so a Compile or a load
    // never destroys hand edits for good.
    void setWholeText(const QString& text);
    // The same text as wholeText(), handed over in pieces without a copy of it: what Save
    // writes.
    const EditorTextPieces& wholeTextInPieces() const { return m_pieces; }

    // The language support beside the text (colours, marks, partners), or none. It never
    // touches the whole text or the undo history.
    void setLanguage(std::unique_ptr<EditorLanguage> language);
    EditorLanguage* language() const { return m_language.get(); }
    // The first block in view, and a block's rectangle in the viewport's coordinates: what
    // the language support colours.
    QTextBlock firstBlockInView() const { return firstVisibleBlock(); }
    QRectF blockRectInView(const QTextBlock& block) const;

    // Extra selections kept in named groups (the parenthesis partner, the occurrences of a
    // name, ...): setting one group keeps the others shown.
    void setSelectionGroup(const QString& group, const QList<QTextEdit::ExtraSelection>& marks);
    const QList<QTextEdit::ExtraSelection>& selectionGroup(const QString& group) const;

    // Commands added with QWidget::addAction() work by their shortcuts while the editor has
    // the focus and are listed in its context menu, after the standard and language ones.

    // The first local file among dropped items, or an empty path when none is.
    static QString droppedFile(const QMimeData* data);

signals:
    void fileDropped(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    std::unique_ptr<EditorLanguage> m_language;
    std::map<QString, QList<QTextEdit::ExtraSelection>> m_selectionGroups;
    EditorTextPieces m_pieces{*this};
};

} // namespace vantrel
