#pragma once

#include "EditorTextPieces.h"

#include <QPlainTextEdit>

namespace vantrel {

class ScriptLanguage;

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
    // The same text as wholeText(), handed over in pieces, as a rule without a copy of it:
    // what Save writes.
    const EditorTextPieces& wholeTextInPieces() const { return m_pieces; }

    // Colours, parenthesis partners and problem marks for the script language. They live
    // beside the text: the whole text and the undo history stay exactly as without them.
    void setLanguageSupport(bool on);
    bool hasLanguageSupport() const { return m_language != nullptr; }

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
    friend class ScriptLanguage; // reads which blocks are in view

    ScriptLanguage* m_language = nullptr;
    EditorTextPieces m_pieces{*this};
};

} // namespace vantrel
