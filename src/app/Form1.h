#pragma once

#include "ScriptCommands.h"
#include "WindowSlot.h"

#include <QMainWindow>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class Form2;
class ScriptEditor;
class frmAbout;
struct ControlSpec;
class FileDialog;
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

    // The editor's whole text: the only way other commands read or replace the script.
    QString scriptText() const;
    void setScriptText(const QString& text);

    static QString instructions();

private:
    void buildControls();
    QWidget* createControl(const ControlSpec& row, QWidget* parent);
    void applyColours();
    void setTabOrder();
    void nameForScreenReaders();
    void buildMenus();
    void wireCommands();
    void setUpFileCommands(const FileSeams& seams);

    void compile();
    void toggleSecondVehicle();
    void loadScript();
    void saveScript();
    void showAbout();
    void showTutorial();
    Form2* createTutorial();

    QWidget* m_client = nullptr;
    ScriptEditor* Txt1 = nullptr;
    ScriptEditor* Text1 = nullptr;
    QLineEdit* txtscriptname = nullptr;
    QLineEdit* txttrigger = nullptr;
    QLineEdit* txtflag = nullptr;
    QLineEdit* txtvehic = nullptr;
    QLineEdit* txtvehic2 = nullptr;
    QLineEdit* txtclose = nullptr;
    QLineEdit* txtclos1 = nullptr;
    QLabel* Label6 = nullptr;
    QCheckBox* Check1 = nullptr;
    QPushButton* cmdcmpl = nullptr;
    QPushButton* cmdsave = nullptr;
    QPushButton* cmdload = nullptr;

    // The window's one file dialog cdlg and its message boxes, unless the seams replace
    // them, and what the load and save commands work with.
    std::unique_ptr<FileDialog> m_cdlg;
    std::unique_ptr<MessageSink> m_messages;
    std::unique_ptr<ScriptFileStore> m_store;
    std::unique_ptr<ScriptCommands> m_fileCommands;
    WindowSlot<frmAbout> m_about;
    WindowSlot<Form2> m_tutorial;
};

} // namespace vantrel
