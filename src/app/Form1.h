#pragma once

#include <QMainWindow>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vantrel {

class ScriptEditor;
struct ControlSpec;

// The main window: the names that go into a script, the editor that holds it, the
// instructions, and the commands.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    // The editor's whole text: the only way other commands read or replace the script.
    QString scriptText() const;
    void setScriptText(const QString& text);

    static QString instructions();

private:
    void buildControls();
    QWidget* createControl(const ControlSpec& spec, QWidget* parent);
    void applyColours();
    void setTabOrder();
    void nameForScreenReaders();
    void buildMenus();
    void wireCommands();

    void compile();
    void toggleSecondVehicle();
    void loadScript();
    void saveScript();
    void showAbout();
    void showTutorial();

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
};

} // namespace vantrel
