#include "Application.h"
#include "Form1.h"
#include "Form1Layout.h"
#include "Form2.h"
#include "NamedChild.h"
#include "ScriptComposer.h"
#include "ScriptEditor.h"
#include "frmAbout.h"

#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>

using namespace vantrel;

namespace {

// Every control that the keyboard reaches has a name a screen reader can speak.
void verifyEveryFocusableControlIsNamed(const QWidget& window)
{
    int checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !widget->isEnabled() ||
            !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy())
            continue;
        const QString name = QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        QVERIFY2(!name.trimmed().isEmpty(),
                 qPrintable(window.objectName() + u'/' + widget->objectName()));
        ++checked;
    }
    QVERIFY2(checked > 0, qPrintable(window.objectName()));
}

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

    std::unique_ptr<Form1> m_window;

    template <class T = QWidget> T* control(const char* name) const
    {
        return child<T>(*m_window, name);
    }
    void click(const char* name) const { QTest::mouseClick(control(name), Qt::LeftButton); }

private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void init()
    {
        m_window = std::make_unique<Form1>();
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void startsAsDocumented()
    {
        const Form1& w = *m_window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Vantrel"));
        QCOMPARE(w.centralWidget()->size(), QSize(593, 455));
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QCOMPARE(w.windowFlags() & (Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
                 Qt::WindowCloseButtonHint);
        QCOMPARE(QApplication::focusWidget(), control("Txt1"));
        QCOMPARE(w.scriptText(), QString());
        QCOMPARE(control<ScriptEditor>("Text1")->wholeText(),
                 QStringLiteral("Please no Spaces, use underscores to represent them\r\n"
                                "example of a correct name \"Warthog_vehic\"  No Quotes\r\n"
                                "example of a incorrect name \"Warthog vehic\"  No Quotes"));
        QVERIFY(!w.windowIcon().isNull());
    }

    void everyControlMatchesTheLayoutTable()
    {
        for (const ControlSpec& row : form1Controls()) {
            QWidget* widget = control(row.name);
            QCOMPARE(widget->parentWidget(), m_window->centralWidget());
            const QRect& t = row.twips;
            QCOMPARE(widget->geometry(),
                     QRect(t.x() / 15, t.y() / 15, t.width() / 15, t.height() / 15));
            QCOMPARE(widget->isVisible(), row.visibleAtStart);
            if (!qobject_cast<ScriptEditor*>(widget))
                QCOMPARE(widget->property("text").toString(), QString::fromLatin1(row.text));
            if (qobject_cast<QLabel*>(widget)) // transparent, and never focused
                QVERIFY(widget->focusPolicy() == Qt::NoFocus && !widget->autoFillBackground());
        }
        // The table itself, against the design.
        QCOMPARE(control("Label1")->geometry(), QRect(320, 24, 121, 25));
        QCOMPARE(control("Txt1")->geometry(), QRect(16, 16, 297, 345));
        QCOMPARE(control("Check1")->geometry(), QRect(432, 176, 9, 13));
    }

    void coloursAreTheDarkGreyScheme()
    {
        const QColor dark(64, 64, 64), light(192, 192, 192), grey(128, 128, 128);
        QCOMPARE(m_window->centralWidget()->palette().color(QPalette::Window), dark);
        for (const char* name :
             {"txtscriptname", "txttrigger", "txtflag", "txtvehic", "txtvehic2", "Txt1", "Text1"}) {
            QCOMPARE(control(name)->palette().color(QPalette::Base), QColor(Qt::black));
            QCOMPARE(control(name)->palette().color(QPalette::Text), light);
        }
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
            QCOMPARE(control(name)->palette().color(QPalette::WindowText), light);
        QCOMPARE(control("Check1")->palette().color(QPalette::Button), grey);
        QCOMPARE(control("Check1")->palette().color(QPalette::ButtonText), dark);
        // The buttons' face as drawn on screen, flat grey rather than a gradient.
        const QImage face = control("cmdcmpl")->grab().toImage();
        QCOMPARE(face.pixelColor(10, face.height() / 2), grey);
        QCOMPARE(face.pixelColor(face.width() - 10, 4), grey);
        // The closer boxes keep the system's colours.
        QCOMPARE(control("txtclose")->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
    }

    void menusHoldTheCommandsWithoutShortcuts()
    {
        QStringList found;
        const auto note = [&](const QAction* action, const QString& name) {
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(name));
            found << name + u'=' + action->text();
        };
        for (const QAction* top : m_window->menuBar()->actions()) {
            note(top, top->menu() ? top->menu()->objectName() : top->objectName());
            for (const QAction* item : top->menu() ? top->menu()->actions() : QList<QAction*>())
                note(item, item->objectName());
        }
        QCOMPARE(found, QStringList({"file=File", "SC=Save Script", "LS=Load Script", "about=About",
                                     "hlp=Help", "VT=Video Tutorial"}));
        // Alt reaches the menu bar, and no access keys are underlined.
        QTest::keyClick(m_window.get(), Qt::Key_Alt, Qt::AltModifier);
        QTRY_VERIFY(m_window->menuBar()->activeAction());
        QCOMPARE(m_window->menuBar()->activeAction()->text(), QStringLiteral("File"));
        QTest::keyClick(m_window->menuBar(), Qt::Key_Escape);
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut), 0);
    }

    void checkBoxShowsAndHidesTheSecondVehicleRow()
    {
        auto* check = control<QCheckBox>("Check1");
        auto* second = control<QLineEdit>("txtvehic2");
        click("Check1");
        QVERIFY(check->isChecked());
        QVERIFY(second->isVisible() && control("Label6")->isVisible());
        second->setText(QStringLiteral("Mongoose_1"));
        click("Check1");
        QVERIFY(!check->isChecked());
        QVERIFY(!second->isVisible() && !control("Label6")->isVisible());
        click("Check1");
        QCOMPARE(second->text(), QStringLiteral("Mongoose_1"));
        click("Label5"); // the caption "2 Vehicles" changes nothing
        QVERIFY(check->isChecked() && second->isVisible());
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(!check->isChecked());
        QVERIFY(!second->isVisible() && !control("Label6")->isVisible());
    }

    void compileFollowsTheCheckBoxAndReplacesTheEditor()
    {
        const auto script = [](const ScriptFields& fields) {
            return QString::fromStdString(ComposeScript(fields));
        };
        m_window->setScriptText(QStringLiteral("hand edits that Compile replaces\r\n"));
        click("cmdcmpl");
        QCOMPARE(m_window->scriptText(), script({}));
        click("Check1");
        const char* boxes[] = {"txtscriptname", "txttrigger", "txtflag", "txtvehic",
                               "txtvehic2",     "txtclose",   "txtclos1"};
        for (const char* name : boxes)
            control<QLineEdit>(name)->setText(QStringLiteral("%1 ").arg(name));
        click("cmdcmpl");
        QCOMPARE(m_window->scriptText(),
                 script({"txtscriptname ", "txttrigger ", "txtflag ", "txtvehic ", "txtvehic2 ",
                         "txtclose ", "txtclos1 ", true}));
    }

    void enterInAnInputBoxRunsNothing()
    {
        for (const char* name : {"txtscriptname", "txttrigger", "txtflag", "txtvehic"}) {
            control(name)->setFocus();
            QTest::keyClick(control(name), Qt::Key_Return);
            QTest::keyClick(control(name), Qt::Key_Escape);
        }
        QCOMPARE(m_window->scriptText(), QString());
        QVERIFY(m_window->isVisible());
    }

    void tabWalksTheDocumentedOrder()
    {
        click("Check1"); // the second vehicle's box joins the order
        control("Txt1")->setFocus();
        for (const char* name : {"txtscriptname", "txttrigger", "txtflag", "txtvehic", "cmdcmpl",
                                 "cmdsave", "txtvehic2", "Check1", "cmdload", "Text1", "Txt1"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(name));
        }
    }

    void everyWindowNamesItsControls()
    {
        click("Check1"); // the second vehicle's row too
        verifyEveryFocusableControlIsNamed(*m_window);
        const auto name = [](QWidget* widget) {
            return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        };
        QCOMPARE(name(control("txttrigger")), QStringLiteral("Trigger Name"));
        QCOMPARE(name(control("Check1")), QStringLiteral("2 Vehicles"));

        control<QAction>("about")->trigger();
        QVERIFY(theOne<frmAbout>());
        verifyEveryFocusableControlIsNamed(*theOne<frmAbout>());
        theOne<frmAbout>()->close();
        control<QAction>("VT")->trigger();
        QVERIFY(theOne<Form2>());
        verifyEveryFocusableControlIsNamed(*theOne<Form2>());
        theOne<Form2>()->close();
        QTRY_VERIFY(windowsOf<frmAbout>().isEmpty() && windowsOf<Form2>().isEmpty());
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
