#include "Contrast.h"
#include "MainWindowFixture.h"
#include "about/frmAbout.h"
#include "editor/ScriptEditor.h"
#include "script/ScriptComposer.h"
#include "tutorial/Form2.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>

using namespace vantrel;
using namespace vantrel::test;

namespace {

const char* const NameBoxes[] = {"txtscriptname", "txttrigger", "txtflag", "txtvehic",
                                 "txtvehic2",     "txtclose",   "txtclos1"};

// Every control that the keyboard reaches has a name a screen reader can speak.
void verifyEveryFocusableControlIsNamed(const QWidget& window)
{
    int checked = 0;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || !widget->isEnabled() ||
            !(widget->focusPolicy() & Qt::TabFocus) || widget->focusProxy())
            continue;
        QVERIFY2(!accessibleName(widget).trimmed().isEmpty(),
                 qPrintable(window.objectName() + u'/' + widget->objectName()));
        ++checked;
    }
    QVERIFY2(checked > 0, qPrintable(window.objectName()));
}

// Everything a user could have changed in the main window.
QStringList stateOf(const Form1& window)
{
    QStringList state;
    for (const QLineEdit* box : window.findChildren<QLineEdit*>())
        state << QStringLiteral("%1=%2 shown=%3")
                     .arg(box->objectName(), box->text())
                     .arg(box->isVisibleTo(&window));
    for (const ScriptEditor* editor : window.findChildren<ScriptEditor*>())
        state << editor->objectName() + u'=' + editor->wholeText();
    state << QStringLiteral("Check1=%1").arg(child<QCheckBox>(window, "Check1")->checkState());
    return state;
}

// Counts the Show events that one widget receives.
struct ShowCounter : QObject
{
    explicit ShowCounter(const QObject* widget) : watched(widget)
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* object, QEvent* event) override
    {
        shows += object == watched && event->type() == QEvent::Show;
        return false;
    }
    const QObject* watched;
    int shows = 0;
};

} // namespace

class Form1Test : public QObject, MainWindowFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { setUpApplication(*qApp); }
    void init() { openMainWindow(); }

    void cleanup()
    {
        m_window.reset();
        // Closed windows are released on the next pass of the event loop.
        QTRY_VERIFY(windowsOf<frmAbout>().isEmpty() && windowsOf<Form2>().isEmpty());
    }

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
        QTRY_VERIFY(!w.windowIcon().isNull()); // given once the first window has painted
        // Desktops match the window with the entry the package installs.
        QVERIFY(QFile::exists(QStringLiteral(VANTREL_DATA_SOURCE_DIR "/%1.desktop")
                                  .arg(QGuiApplication::desktopFileName())));
    }

    void everyControlIsWhereItWasDesigned()
    {
        // Pixels are the design's twips / 15, rounded. The boxes' texts are the script's
        // defaults, seen by Compile: they have no caption here.
        // clang-format off
        struct Row { const char* name; QRect pixels; const char* caption; bool shown; };
        const Row rows[] = {
            {"Label1", {320, 24, 121, 25}, "Script Name", true},
            {"txtscriptname", {400, 24, 185, 19}, nullptr, true},
            {"Label2", {320, 56, 65, 17}, "Trigger Name", true},
            {"txttrigger", {400, 56, 185, 19}, nullptr, true},
            {"Label3", {320, 88, 65, 17}, "Flag Name", true},
            {"txtflag", {400, 88, 185, 19}, nullptr, true},
            {"Label4", {320, 120, 97, 17}, "Vehicle Name", true},
            {"txtvehic", {400, 120, 185, 19}, nullptr, true},
            {"Label6", {320, 152, 105, 17}, "Second Vehicle", false},
            {"txtvehic2", {400, 152, 185, 19}, nullptr, false},
            {"Check1", {432, 176, 9, 13}, "Check1", true},
            {"Label5", {448, 176, 137, 17}, "2 Vehicles", true},
            {"cmdcmpl", {392, 224, 153, 25}, "Compile", true},
            {"cmdsave", {392, 256, 153, 25}, "Save Script", true},
            {"cmdload", {392, 288, 153, 25}, "Load Script For Editiing", true},
            {"txtclos1", {456, 392, 97, 25}, nullptr, false},
            {"txtclose", {456, 424, 97, 25}, nullptr, false},
            {"Txt1", {16, 16, 297, 345}, nullptr, true},
            {"Text1", {16, 376, 297, 57}, nullptr, true},
        };
        // clang-format on
        for (const Row& row : rows) {
            QWidget* widget = control(row.name);
            QCOMPARE(widget->parentWidget(), m_window->centralWidget());
            QCOMPARE(widget->geometry(), row.pixels);
            QCOMPARE(widget->isVisible(), row.shown);
            if (row.caption)
                QCOMPARE(widget->property("text").toString(), QLatin1String(row.caption));
            if (qobject_cast<QLabel*>(widget)) // transparent, and never focused
                QVERIFY(widget->focusPolicy() == Qt::NoFocus && !widget->autoFillBackground());
        }
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
        // The buttons' face as drawn on screen, flat grey rather than a gradient.
        const QImage face = control("cmdcmpl")->grab().toImage();
        QCOMPARE(face.pixelColor(10, face.height() / 2), grey);
        QCOMPARE(face.pixelColor(face.width() - 10, 4), grey);
    }

    void menusHoldTheDocumentedCommandsWithoutShortcuts()
    {
        QStringList found;
        for (const QAction* top : m_window->menuBar()->actions()) {
            found << (top->menu() ? top->menu()->objectName() : top->objectName()) + u'=' +
                         top->text() + top->shortcut().toString();
            for (const QAction* item : top->menu() ? top->menu()->actions() : QList<QAction*>())
                found << item->objectName() + u'=' + item->text() + u' ' +
                             item->shortcut().toString();
        }
        // The two saves that replace a file come after the documented items.
        QCOMPARE(found, QStringList({"file=File", "SC=Save Script ", "LS=Load Script ",
                                     "CH=Save Changes Ctrl+S",
                                     QStringLiteral("SA=Save Script As\u2026 Ctrl+Shift+S"),
                                     "about=About", "hlp=Help", "VT=Video Tutorial "}));
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
    }

    // Checked, the small box shows a tick that stands out from its face at 3:1 or more, not
    // a shade alone; drawn as grab() draws it, at scale 1 and at scale 2.
    void checkMarkShowsTheStateAtScaleOneAndTwo_data()
    {
        QTest::addColumn<qreal>("scale");
        QTest::newRow("1") << 1.0;
        QTest::newRow("2") << 2.0;
    }

    void checkMarkShowsTheStateAtScaleOneAndTwo()
    {
        QFETCH(qreal, scale);
        auto* check = control<QCheckBox>("Check1");
        const QColor face = check->palette().color(QPalette::Button);
        const auto drawn = [&] {
            QPixmap pixmap(check->size() * scale);
            pixmap.setDevicePixelRatio(scale);
            check->render(&pixmap);
            return pixmap.toImage();
        };
        // Inside the edges: the pixels that stand out from the face.
        const auto mark = [&](const QImage& image) {
            QRect marked;
            int faces = 0;
            const int edge = qRound(scale);
            for (int y = edge; y < image.height() - edge; ++y)
                for (int x = edge; x < image.width() - edge; ++x) {
                    const QColor pixel = image.pixelColor(x, y);
                    faces += pixel == face;
                    if (contrast(pixel, face) >= 3)
                        marked |= QRect(x, y, 1, 1);
                }
            return std::pair(marked, faces);
        };
        const auto [none, plainFace] = mark(drawn());
        QVERIFY(none.isEmpty());
        click("Check1");
        QVERIFY(check->isChecked());
        control("Txt1")->setFocus(); // the focus frame stands out as well
        const auto [tick, facesLeft] = mark(drawn());
        // Across most of the face's width and a good part of its height, which stays grey.
        const QSize inside = (check->size() - QSize(2, 2)) * scale;
        QVERIFY2(tick.width() >= inside.width() * 3 / 4 && tick.height() >= inside.width() / 2,
                 qPrintable(QStringLiteral("%1 x %2").arg(tick.width()).arg(tick.height())));
        QVERIFY(facesLeft >= plainFace / 2);
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
        for (const char* name : NameBoxes)
            control<QLineEdit>(name)->setText(QStringLiteral("%1 ").arg(name));
        click("cmdcmpl");
        QCOMPARE(m_window->scriptText(),
                 script({"txtscriptname ", "txttrigger ", "txtflag ", "txtvehic ", "txtvehic2 ",
                         "txtclose ", "txtclos1 ", true}));
    }

    void longNamesReachTheScriptWhole()
    {
        // No box limits its length: a name of over 64 KB goes into the script whole.
        Form1& w = *m_window;
        const QString name = QStringLiteral("Warthog_ ").repeated(8 * 1024);
        for (const char* boxName : NameBoxes) {
            auto* box = child<QLineEdit>(w, boxName);
            box->setText(name);
            QCOMPARE(box->text().size(), name.size());
        }
        child<QLineEdit>(w, "txtclose")->setText(QStringLiteral(" )"));
        click("cmdcmpl");
        QVERIFY(w.scriptText().contains(QStringLiteral("\"%1\" )").arg(name)));
    }

    // Enter presses no button; Alt with a letter types nothing and opens no menu.
    void keysThatNothingHandlesChangeNothing()
    {
        const QStringList before = stateOf(*m_window);
        for (const char* name : {"txtscriptname", "txttrigger", "txtflag", "txtvehic", "Txt1"}) {
            control(name)->setFocus();
            if (qobject_cast<QLineEdit*>(control(name)))
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape})
                    QTest::keyClick(control(name), key);
            for (Qt::Key key : {Qt::Key_F, Qt::Key_H, Qt::Key_L})
                QTest::keyClick(control(name), key, Qt::AltModifier);
        }
        QCOMPARE(stateOf(*m_window), before);
        QVERIFY(m_window->isVisible() && !QApplication::activePopupWidget());
        QTest::keyClick(control("Txt1"), Qt::Key_H); // without Alt, typing still types
        QCOMPARE(m_window->scriptText(), QStringLiteral("h"));
    }

    void tabWalksTheDocumentedOrder()
    {
        click("Check1"); // the second vehicle's box joins the order
        control("Txt1")->setFocus();
        verifyTabOrder({"txtscriptname", "txttrigger", "txtflag", "txtvehic", "cmdcmpl", "cmdsave",
                        "txtvehic2", "Check1", "cmdload", "Text1", "Txt1"});
        QCOMPARE(m_window->scriptText(), QString());
    }

    void tabTypesInTheEditorAndCtrlTabMovesOn_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("typed");
        const int ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        QTest::newRow("Tab") << int(Qt::Key_Tab) << 0 << "Txt1"
                             << "\t";
        QTest::newRow("Ctrl+Shift+Tab") << int(Qt::Key_Tab) << ctrl + shift << "Text1"
                                        << "";
        // What X11 sends for Ctrl+Shift+Tab.
        QTest::newRow("Ctrl+Backtab") << int(Qt::Key_Backtab) << ctrl + shift << "Text1"
                                      << "";
    }

    void tabTypesInTheEditorAndCtrlTabMovesOn()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        control("Txt1")->setFocus();
        QTest::keyClick(control("Txt1"), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QTEST(QApplication::focusWidget()->objectName(), "focused");
        QTEST(m_window->scriptText(), "typed");
    }

    // Enter on a focused button presses it, as Space does; held down, it presses once.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << 0;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    void enterPressesTheFocusedButton()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        auto* compile = control<QPushButton>("cmdcmpl");
        QSignalSpy clicks(compile, &QPushButton::clicked);
        m_window->setScriptText(QStringLiteral("hand edits"));
        compile->setFocus();
        QTest::keyClick(compile, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_window->scriptText(), QString::fromStdString(ComposeScript({})));
        QCOMPARE(clicks.count(), 1);
        QKeyEvent held(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), QString(), true);
        QApplication::sendEvent(compile, &held);
        QCOMPARE(clicks.count(), 1);
    }

    // The About box is shared by both windows; the tutorial hides the main window and
    // brings it back exactly as it was left. Every window names its controls.
    void companionWindowsFollowTheMainWindow()
    {
        Form1& main = *m_window;
        QTest::keyClicks(control("txttrigger"), QStringLiteral("_2"));
        click("Check1"); // the second vehicle's row, named too
        main.setScriptText(QStringLiteral("(script continuous edited\r\n  )\r\n"));
        const QStringList before = stateOf(main);
        QVERIFY(before.contains(QStringLiteral("txttrigger=Enter_2 shown=1")));
        QVERIFY(before.contains(QStringLiteral("txtvehic2=Scorpion_Name shown=1")));
        verifyEveryFocusableControlIsNamed(main);
        QCOMPARE(accessibleName(control("txttrigger")), QStringLiteral("Trigger Name"));
        QCOMPARE(accessibleName(control("Check1")), QStringLiteral("2 Vehicles"));

        trigger("about");
        QPointer<frmAbout> box = theOne<frmAbout>();
        QVERIFY(box && box->isVisible() && main.isVisible()); // modeless
        verifyEveryFocusableControlIsNamed(*box);
        // Marks the box, so that a second load step would show.
        child<QLabel>(*box, "lblVersion")->setText(QStringLiteral("marked"));
        trigger("about");
        trigger("VT");
        QPointer<Form2> tutorial = theOne<Form2>();
        QVERIFY(tutorial && tutorial->isVisible() && !main.isVisible());
        verifyEveryFocusableControlIsNamed(*tutorial);
        QVERIFY(!QApplication::activeModalWidget());
        child<QAction>(*tutorial, "about1")->trigger();
        QCOMPARE(theOne<frmAbout>(), box.data());
        QCOMPARE(child<QLabel>(*box, "lblVersion")->text(), QStringLiteral("marked"));

        // OK unloads the box and returns to the tutorial; the next About loads it afresh.
        QTest::mouseClick(child<QPushButton>(*box, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(box.isNull());
        QVERIFY(tutorial->isVisible() && !main.isVisible());
        child<QAction>(*tutorial, "about1")->trigger();
        box = theOne<frmAbout>();
        QVERIFY(box);
        QCOMPARE(child<QLabel>(*box, "lblVersion")->text(), QStringLiteral("Version 1.0.8"));

        // Closing the tutorial brings the main window back unchanged, and leaves the box.
        QVERIFY(tutorial->close());
        QTRY_VERIFY(tutorial.isNull()); // its release changes nothing more
        QVERIFY(main.isVisible());
        QCOMPARE(stateOf(main), before);
        QCOMPARE(theOne<frmAbout>(), box.data());
        QVERIFY(box->isVisible());
    }

    void releasingTheTutorialWithTheMainWindowIsQuiet()
    {
        // The main window goes while the tutorial is open: the tutorial is released with
        // it and must not try to show a main window that is being destroyed.
        trigger("VT");
        QPointer<Form2> tutorial = theOne<Form2>();
        QVERIFY(tutorial);
        const ShowCounter counter(m_window.get());
        m_window.reset();
        QVERIFY(tutorial.isNull());
        QCOMPARE(counter.shows, 0);
    }

    // In the real event loop, where closing the last window ends the program.
    void theProgramRunsWhileTheAboutBoxIsOpen()
    {
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool stillOpenAfterMainClosed = false;
        QCOMPARE(execWithWatchdog(m_window.get(),
                                  [&] {
                                      trigger("about");
                                      m_window->close();
                                      stillOpenAfterMainClosed =
                                          lastClosed.isEmpty() && theOne<frmAbout>()->isVisible();
                                      theOne<frmAbout>()->close();
                                  }),
                 0);
        QVERIFY(stillOpenAfterMainClosed);
        QCOMPARE(lastClosed.size(), 1);
    }
};

QTEST_MAIN(Form1Test)
#include "tst_form1.moc"
