#pragma once

#include "files/ScriptCommands.h"
#include "mainwindow/WindowSlot.h"

#include <QMainWindow>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class ScriptEditor;
class frmAbout;
struct ControlSpec;
struct ScriptFields;
class FileDialog;
class FunctionListCommands;
class LargeEditorWindow;
class MessageSink;
class ScriptFileStore;

// The main window: the names that go into a script, the editor that holds it, the
// instructions, and the commands.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    // The seams replace the file dialog and the message boxes of the load and save commands.
    explicit Form1(QWidget* parent = nullptr, const FileSeams& seams = {});
    ~Form1() override;

    // The editor's whole text: the only way other commands read or replace the script. A
    // text set whole counts as unchanged: only hand edits are asked about on closing.
    QString scriptText() const;
    // A loaded text keeps its encoding; Compile's is Windows-1252.
    void setScriptText(const QString& text, TextEncoding encoding = TextEncoding::Windows1252);

    // The text's file and whether it has hand edits, as the editor describes itself.
    QString fileState() const;

    static QString instructions();

    // Loads a file as Load does, for a file named without the dialog: on the command line,
    // or dropped onto the window.
    void openScript(const QString& path);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    QLabel* label(const ControlSpec& row);
    QLineEdit* inputBox(const ControlSpec& row);
    QPushButton* button(const ControlSpec& row);
    ScriptEditor* editor(const ControlSpec& row, Qt::ScrollBarPolicy verticalScrollBar);
    template <class Control> Control* focusable(Control* control, const ControlSpec& row);
    void applyColours();
    void setTabOrder();
    void nameForScreenReaders();
    void markNames();
    void buildMenus();
    void wireCommands();
    void setUpFileCommands(const FileSeams& seams);

    void compile();
    void toggleSecondVehicle();
    void loadScript();
    void saveScript();
    void saveChanges();
    void saveScriptAs();
    void showFileState();
    void showAbout();
    void showTutorial();
    QMainWindow* createTutorial();

    QWidget* m_client = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    ScriptEditor* Txt1 = nullptr;
    ScriptEditor* Text1 = nullptr;
    QLineEdit* txtscriptname = nullptr;
    QLineEdit* txttrigger = nullptr;
    QLineEdit* txtflag = nullptr;
    QLineEdit* txtvehic = nullptr;
    QLineEdit* txtvehic2 = nullptr;
    QLineEdit* txtclose = nullptr;
    QLineEdit* txtclos1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* cmdcmpl = nullptr;
    QPushButton* cmdsave = nullptr;
    QPushButton* cmdload = nullptr;
    // Each input box with the value of ScriptFields it holds, for Compile.
    std::vector<std::pair<QLineEdit*, std::string ScriptFields::*>> m_inputBoxes;
    // The controls that take the focus, with their places in the order; used while building.
    std::vector<std::pair<int, QWidget*>> m_tabOrder;

    // The window's one file dialog cdlg and its message boxes, unless the seams replace
    // them, and what the load and save commands work with.
    std::unique_ptr<FileDialog> m_cdlg;
    std::unique_ptr<MessageSink> m_messages;
    std::unique_ptr<ScriptFileStore> m_store;
    std::unique_ptr<ScriptCommands> m_fileCommands;
    std::unique_ptr<FileDialog> m_functionListDialog;
    std::unique_ptr<FunctionListCommands> m_functionLists;
    QAction* m_fileStateItem = nullptr; // in the editor's context menu
    WindowSlot<frmAbout> m_about;
    WindowSlot<QMainWindow> m_tutorial; // Form2, from the tutorial window's library
    // Last, so that the editor is home before anything else goes.
    std::unique_ptr<LargeEditorWindow> m_largeWindow;
};

} // namespace vantrel
