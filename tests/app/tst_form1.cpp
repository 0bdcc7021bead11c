#include "Application.h"
#include "Form1.h"
#include "Form1Layout.h"
#include "NamedChild.h"
#include "ScriptEditor.h"
#include "Twips.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTest>

using namespace vantrel;

namespace {

const QByteArray OneVehicleScript = "(script continuous \"Vehicle_Tele\"\r\n"
                                    "  (if \r\n"
                                    "   (volume_test_object \"Enter\" \"Warthog_name\" )\r\n"
                                    "   (object_teleport \"Warthog_name\" \"Exit\" )\r\n"
                                    "  )\r\n"
                                    " )";

QString editorText(const Form1& window)
{
    return window.scriptText();
}

void click(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

} // namespace

class Form1Test : public QObject
{
    Q_OBJECT

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
        QVERIFY(!(w.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
        QCOMPARE(QApplication::focusWidget(), child<QWidget>(w, "Txt1"));
        QCOMPARE(editorText(w), QString());
        QCOMPARE(child<ScriptEditor>(w, "Text1")->wholeText(),
                 QStringLiteral("Please no Spaces, use underscores to represent them\r\n"
                                "example of a correct name \"Warthog_vehic\"  No Quotes\r\n"
                                "example of a incorrect name \"Warthog vehic\"  No Quotes"));
        QVERIFY(!child<QCheckBox>(w, "Check1")->isChecked());
        QVERIFY(!w.windowIcon().isNull());
    }

    void everyControlMatchesTheLayoutTable()
    {
        const Form1& w = *m_window;
        for (const ControlSpec& row : form1Controls()) {
            QWidget* control = child<QWidget>(w, row.name);
            QCOMPARE(control->parentWidget(), w.centralWidget());
            const QRect& t = row.twips;
            QCOMPARE(control->geometry(),
                     QRect(t.x() / 15, t.y() / 15, t.width() / 15, t.height() / 15));
            QCOMPARE(control->isVisible(), row.visibleAtStart);
            if (auto* box = qobject_cast<QLineEdit*>(control))
                QCOMPARE(box->text(), QString::fromLatin1(row.text));
            if (auto* button = qobject_cast<QAbstractButton*>(control))
                QCOMPARE(button->text(), QString::fromLatin1(row.text));
            if (auto* label = qobject_cast<QLabel*>(control)) {
                QCOMPARE(label->text(), QString::fromLatin1(row.text));
                QCOMPARE(label->focusPolicy(), Qt::NoFocus);
                QVERIFY(!label->autoFillBackground());
            }
        }
        QCOMPARE(child<QWidget>(w, "Label1")->geometry(), QRect(320, 24, 121, 25));
        QCOMPARE(child<QWidget>(w, "Txt1")->geometry(), QRect(16, 16, 297, 345));
        QCOMPARE(child<QWidget>(w, "Check1")->geometry(), QRect(432, 176, 9, 13));
    }

    void coloursAreTheDarkGreyScheme()
    {
        const Form1& w = *m_window;
        const QColor dark(64, 64, 64), light(192, 192, 192), grey(128, 128, 128);
        QCOMPARE(w.centralWidget()->palette().color(QPalette::Window), dark);
        for (const char* name :
             {"txtscriptname", "txttrigger", "txtflag", "txtvehic", "txtvehic2", "Txt1", "Text1"}) {
            const QPalette colours = child<QWidget>(w, name)->palette();
            QCOMPARE(colours.color(QPalette::Base), QColor(Qt::black));
            QCOMPARE(colours.color(QPalette::Text), light);
        }
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"})
            QCOMPARE(child<QWidget>(w, name)->palette().color(QPalette::WindowText), light);
        QCOMPARE(child<QWidget>(w, "Check1")->palette().color(QPalette::Button), grey);
        QCOMPARE(child<QWidget>(w, "Check1")->palette().color(QPalette::ButtonText), dark);
        // The buttons' face as drawn on screen, flat grey rather than a gradient.
        const QImage face = child<QWidget>(w, "cmdcmpl")->grab().toImage();
        QCOMPARE(face.pixelColor(10, face.height() / 2), grey);
        QCOMPARE(face.pixelColor(face.width() - 10, 4), grey);
        // The closer boxes keep the system's colours.
        QCOMPARE(child<QWidget>(w, "txtclose")->palette().color(QPalette::Base),
                 QApplication::palette().color(QPalette::Base));
    }

    void menusHoldTheDocumentedCommands()
    {
        const QList<QAction*> top = m_window->menuBar()->actions();
        QCOMPARE(top.size(), 3);
        QCOMPARE(top[0]->text(), QStringLiteral("File"));
        QCOMPARE(top[1]->text(), QStringLiteral("About"));
        QCOMPARE(top[1]->objectName(), QStringLiteral("about"));
        QVERIFY(!top[1]->menu());
        QCOMPARE(top[2]->text(), QStringLiteral("Help"));
        const QList<QAction*> file = child<QMenu>(*m_window, "file")->actions();
        QCOMPARE(file.size(), 2);
        QCOMPARE(file[0]->objectName(), QStringLiteral("SC"));
        QCOMPARE(file[0]->text(), QStringLiteral("Save Script"));
        QCOMPARE(file[1]->objectName(), QStringLiteral("LS"));
        QCOMPARE(file[1]->text(), QStringLiteral("Load Script"));
        const QList<QAction*> help = child<QMenu>(*m_window, "hlp")->actions();
        QCOMPARE(help.size(), 1);
        QCOMPARE(help[0]->objectName(), QStringLiteral("VT"));
        QCOMPARE(help[0]->text(), QStringLiteral("Video Tutorial"));
        for (QAction* action : top + file + help)
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
    }

    void checkBoxShowsAndHidesTheSecondVehicleRow()
    {
        Form1& w = *m_window;
        auto* check = child<QCheckBox>(w, "Check1");
        auto* second = child<QLineEdit>(w, "txtvehic2");
        auto* label = child<QLabel>(w, "Label6");
        click(check);
        QVERIFY(check->isChecked());
        QVERIFY(second->isVisible() && label->isVisible());
        QCOMPARE(second->text(), QStringLiteral("Scorpion_Name"));
        second->setText(QStringLiteral("Mongoose_1"));
        click(check);
        QVERIFY(!check->isChecked());
        QVERIFY(!second->isVisible() && !label->isVisible());
        click(check);
        QCOMPARE(second->text(), QStringLiteral("Mongoose_1"));

        // Clicking the caption "2 Vehicles" changes nothing.
        click(child<QLabel>(w, "Label5"));
        QVERIFY(check->isChecked());
        // The keyboard toggles it too.
        check->setFocus();
        QTest::keyClick(check, Qt::Key_Space);
        QVERIFY(!check->isChecked());
        QVERIFY(!second->isVisible());
    }

    void compileFollowsTheCheckBoxAndReplacesTheEditor()
    {
        Form1& w = *m_window;
        w.setScriptText(QStringLiteral("hand edits that Compile replaces\r\n"));
        click(child<QPushButton>(w, "cmdcmpl"));
        QCOMPARE(editorText(w).toLatin1(), OneVehicleScript);

        click(child<QCheckBox>(w, "Check1"));
        child<QLineEdit>(w, "txtvehic2")->setText(QStringLiteral("Ghost"));
        child<QLineEdit>(w, "txtflag")->setText(QStringLiteral("Far away"));
        click(child<QPushButton>(w, "cmdcmpl"));
        const QString twoVehicles = editorText(w);
        QCOMPARE(twoVehicles.count(QStringLiteral("\r\n")), 9);
        QVERIFY(twoVehicles.contains(
            QStringLiteral("   (object_teleport \"Ghost\" \"Far away\" )\r\n  )\r\n )")));

        // A hand edit after Compile is kept in the editor's text exactly.
        auto* editor = child<ScriptEditor>(w, "Txt1");
        editor->moveCursor(QTextCursor::End);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, QStringLiteral("; end"));
        QCOMPARE(editorText(w), twoVehicles + QStringLiteral("\r\n; end"));
    }

    void longNamesReachTheScriptWhole()
    {
        // No box limits its length: a name of over 64 KB, pasted, goes into the script whole.
        Form1& w = *m_window;
        const QString name = QStringLiteral("Warthog_ ").repeated(8 * 1024);
        for (const char* boxName : {"txtscriptname", "txttrigger", "txtflag", "txtvehic",
                                    "txtvehic2", "txtclose", "txtclos1"}) {
            auto* box = child<QLineEdit>(w, boxName);
            box->setText(name);
            QCOMPARE(box->text().size(), name.size());
        }
        auto* vehicle = child<QLineEdit>(w, "txtvehic");
        vehicle->selectAll();
        QApplication::clipboard()->setText(name + QStringLiteral("_pasted"));
        vehicle->paste();
        child<QLineEdit>(w, "txtclose")->setText(QStringLiteral(" )"));
        click(child<QPushButton>(w, "cmdcmpl"));
        QVERIFY(editorText(w).contains(QStringLiteral("\"%1_pasted\" )").arg(name)));
    }

    void enterInAnInputBoxRunsNothing()
    {
        Form1& w = *m_window;
        for (const char* name : {"txtscriptname", "txttrigger", "txtflag", "txtvehic"}) {
            auto* box = child<QLineEdit>(w, name);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Return);
            QTest::keyClick(box, Qt::Key_Escape);
        }
        QCOMPARE(editorText(w), QString());
        QVERIFY(w.isVisible());
    }

    void tabWalksTheDocumentedOrder()
    {
        Form1& w = *m_window;
        click(child<QCheckBox>(w, "Check1")); // the second vehicle's box joins the order
        child<QWidget>(w, "Txt1")->setFocus();
        const QStringList expected = {"txtscriptname", "txttrigger", "txtflag",   "txtvehic",
                                      "cmdcmpl",       "cmdsave",    "txtvehic2", "Check1",
                                      "cmdload",       "Text1",      "Txt1"};
        for (const QString& name : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), name);
        }
    }

    void inputBoxesAreNamedByTheirLabels()
    {
        const auto name = [&](const char* control) {
            return QAccessible::queryAccessibleInterface(child<QWidget>(*m_window, control))
                ->text(QAccessible::Name);
        };
        QCOMPARE(name("txttrigger"), QStringLiteral("Trigger Name"));
        QCOMPARE(name("Check1"), QStringLiteral("2 Vehicles"));
        QCOMPARE(name("cmdload"), QStringLiteral("Load Script For Editiing"));
    }

    void altReachesTheMenuBarWithoutUnderlines()
    {
        QMenuBar* bar = m_window->menuBar();
        QTest::keyPress(m_window.get(), Qt::Key_Alt, Qt::AltModifier);
        QTest::keyRelease(m_window.get(), Qt::Key_Alt);
        QTRY_VERIFY(bar->activeAction());
        QCOMPARE(bar->activeAction()->text(), QStringLiteral("File"));
        QTest::keyClick(bar, Qt::Key_Right);
        QCOMPARE(bar->activeAction()->objectName(), QStringLiteral("about"));
        QTest::keyClick(bar, Qt::Key_Escape);
        QCOMPARE(QApplication::style()->styleHint(QStyle::SH_UnderlineShortcut), 0);
    }

private:
    std::unique_ptr<Form1> m_window;
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
