#pragma once

#include <QPlainTextEdit>

namespace vantrel {

// A plain-text box whose whole text is exact: what setWholeText() puts in, wholeText()
// gives back, every line end and control character included. Enter, Shift+Enter, paste
// and dropped text all produce CR LF line ends; a dropped file is handed on, not inserted.
class ScriptEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ScriptEditor(QWidget* parent = nullptr);

    QString wholeText() const;
    // Replaces everything in one step that Undo can take back, so a Compile or a load
    // never destroys hand edits for good.
    void setWholeText(const QString& text);

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
};

} // namespace vantrel
