#pragma once

#include "editor/EditorLanguage.h"
#include "editor/EditorTextPieces.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <array>
#include <map>
#include <memory>

namespace vantrel {

// A plain-text box whose whole text is exact: what setWholeText() puts in, wholeText()
// gives back, every line end and control character included. The text's own line end
// (its most common one) is the editor's line break: Enter, Shift+Enter, paste and dropped
// text all produce it. A dropped file is handed on, not inserted. Where Tab types a tab,
// Ctrl+Tab and Ctrl+Shift+Tab move the focus on and back.
class ScriptEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ScriptEditor(QWidget* parent = nullptr);
    ~ScriptEditor() override;

    QString wholeText() const;
    // Replaces everything in one step that Undo can take back, so a Compile or a load
    // never destroys hand edits for good. The text's line end is taken from it; Undo and
    // Redo bring back the line end and encoding of the text they return to.
    void setWholeText(const QString& text, TextEncoding encoding = TextEncoding::Windows1252);
    TextFormat textFormat() const { return m_format; }
    // "UTF-8, LF line ends": shown greyed at the end of the context menu and said with the
    // description, followed by the note when there is one ("function list h3.txt").
    QString textFormatDescription() const;
    // What else reads the text as it is kept: added to that line, its whole form (a full
    // path, say) in the line's tooltip.
    void setTextFormatNote(const QString& note, const QString& toolTip);
    // The same text as wholeText(), handed over in pieces, as a rule without a copy of it:
    // what Save writes.
    const EditorTextPieces& wholeTextInPieces() const { return m_pieces; }

    // The language support beside the text (colours, marks, partners), or none. It never
    // touches the whole text or the undo history.
    void setLanguage(std::unique_ptr<EditorLanguage> language);
    EditorLanguage* language() const { return m_language.get(); }
    // The first block in view, and a block's rectangle in the viewport's coordinates: what
    // the language support colours.
    QTextBlock firstBlockInView() const { return firstVisibleBlock(); }
    QRectF blockRectInView(const QTextBlock& block) const;

    // What a screen reader says of the editor is made of parts that different features keep
    // up to date, one line each in this order; an empty part is left out.
    enum class DescriptionPart
    {
        Problems,
        File,
        TextFormat,
        Count
    };
    void setDescriptionPart(DescriptionPart part, const QString& text);

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
    void textFormatChanged();

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    QMimeData* createMimeDataFromSelection() const override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    class FormatChange;
    void setTextFormat(TextFormat format);
    void describe();
    void placeTabStops();

    std::unique_ptr<EditorLanguage> m_language;
    std::array<QString, std::size_t(DescriptionPart::Count)> m_descriptionParts;
    std::map<QString, QList<QTextEdit::ExtraSelection>> m_selectionGroups;
    TextFormat m_format;
    QString m_formatNote, m_formatNoteToolTip;
    EditorTextPieces m_pieces{*this, m_format};
};

} // namespace vantrel
