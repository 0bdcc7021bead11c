#pragma once

#include <QPointer>
#include <QRect>
#include <QWidget>

class QAction;
class QPushButton;

namespace vantrel {

class ScriptEditor;

// A resizable window of its own for long scripts. Opening it moves the one script editor
// into it, children and all, so that the text, undo history, colours, marks, cursor and
// scroll position go along and nothing is kept twice; the editor's place in the main
// window shows a note with a button that brings it back. Closing it puts the editor back.
// The window is kept, hidden, while the editor is home: its size and place last the run.
class LargeEditorWindow : public QWidget
{
    Q_OBJECT

public:
    static const QString EditCommand; // "Edit in Large Window"

    // The editor stays where it is until the window opens. The note's button takes the
    // given style, to look like the main window's other buttons.
    LargeEditorWindow(ScriptEditor& editor, QWidget& mainWindow, const QString& buttonStyle);
    // The editor goes home first: it belongs to the main window and dies with it.
    ~LargeEditorWindow() override;

    // Ctrl+Shift+E: in the editor's context menu, and at work in either window.
    QAction* editCommand() const { return m_command; }
    bool isOpen() const;
    void open();
    void bringBack();
    // The script's file, which the title names, and whether it has changes not yet saved.
    void setScriptFile(const QString& path, bool changed = false);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildNote();
    void placeFirstTime();
    void putEditorHome();

    ScriptEditor& m_editor;
    QWidget& m_mainWindow;
    QWidget* const m_home;
    const QRect m_homeGeometry;
    QString m_buttonStyle;
    QAction* m_command = nullptr;
    QWidget* m_note = nullptr; // made on first open, in the editor's place
    QPushButton* m_back = nullptr;
    // The sibling that the editor lies under at home, so that it goes back to its place in
    // the stacking order.
    QPointer<QWidget> m_above;
    bool m_placed = false; // given its first size and place, which it then keeps
};

} // namespace vantrel
