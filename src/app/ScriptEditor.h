#pragma once

#include <QPlainTextEdit>

namespace vantrel {

// A plain-text box whose whole text is exact: what setWholeText() puts in, wholeText()
// gives back, every line end and control character included. Enter, Shift+Enter and paste
// all produce CR LF line ends.
class ScriptEditor : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit ScriptEditor(QWidget* parent = nullptr);

    QString wholeText() const;
    // Replaces everything in one step that Undo can take back, so a Compile or a load
    // never destroys hand edits for good.
    void setWholeText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace vantrel
