#include "Form1.h"
#include "Form2.h"
#include "NamedChild.h"
#include "ScriptEditor.h"
#include "frmAbout.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace vantrel;

namespace {

void trigger(const QWidget& window, const char* action)
{
    child<QAction>(window, action)->trigger();
}

QString labelText(const QWidget* window, const char* name)
{
    return child<QLabel>(*window, name)->text();
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

// A window whose constructor is its load step, counting how often it runs.
struct CountedWindow : QWidget
{
    explicit CountedWindow(int& loads) { setWindowTitle(QString::number(++loads)); }
};

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

class CompanionWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Closed windows are released on the next pass of the event loop.
        QTRY_VERIFY(windowsOf<frmAbout>().isEmpty());
        QTRY_VERIFY(windowsOf<Form2>().isEmpty());
    }

    void slotCreatesKeepsDestroysAndRecreates()
    {
        int loads = 0;
        WindowSlot<CountedWindow> slot([&] { return new CountedWindow(loads); });
        QVERIFY(!slot.window());
        CountedWindow* first = slot.show();
        QVERIFY(first->isVisible());
        QCOMPARE(slot.show(), first); // showing a visible window changes nothing
        first->setWindowTitle(QStringLiteral("edited"));
        first->hide();
        QCOMPARE(slot.show(), first); // hidden, not destroyed: its state is kept
        QCOMPARE(first->windowTitle(), QStringLiteral("edited"));
        QCOMPARE(loads, 1);
        QPointer<CountedWindow> closed = first;
        first->close();
        QTRY_VERIFY(closed.isNull());
        QVERIFY(!slot.window());
        QCOMPARE(slot.show()->windowTitle(), QStringLiteral("2"));
    }

    // The About box is shared by both windows; the tutorial hides the main window and
    // brings it back exactly as it was left.
    void aboutBoxAndTutorialFollowTheMainWindow()
    {
        Form1 main;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        auto* trigger1 = child<QLineEdit>(main, "txttrigger");
        trigger1->selectAll();
        QTest::keyClicks(trigger1, QStringLiteral("Gate_2"));
        QTest::mouseClick(child<QCheckBox>(main, "Check1"), Qt::LeftButton);
        main.setScriptText(QStringLiteral("(script continuous edited\r\n  )\r\n"));
        const QStringList before = stateOf(main);
        QVERIFY(before.contains(QStringLiteral("txttrigger=Gate_2 shown=1")));
        QVERIFY(before.contains(QStringLiteral("txtvehic2=Scorpion_Name shown=1")));

        trigger(main, "about");
        QPointer<frmAbout> box = theOne<frmAbout>();
        QVERIFY(box && box->isVisible() && main.isVisible()); // modeless
        // Marks the box, so that a second load step would show.
        child<QLabel>(*box, "lblVersion")->setText(QStringLiteral("marked"));
        trigger(main, "about");
        trigger(main, "VT");
        QPointer<Form2> tutorial = theOne<Form2>();
        QVERIFY(tutorial && tutorial->isVisible() && !main.isVisible());
        QCOMPARE(tutorial->windowTitle(), QStringLiteral("Form2"));
        trigger(*tutorial, "about1");
        QCOMPARE(theOne<frmAbout>(), box.data());
        QCOMPARE(labelText(box, "lblVersion"), QStringLiteral("marked"));

        // OK unloads the box and returns to the tutorial; the next About loads it afresh.
        QTest::mouseClick(child<QPushButton>(*box, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(box.isNull());
        QVERIFY(tutorial->isVisible() && !main.isVisible());
        trigger(*tutorial, "about1");
        box = theOne<frmAbout>();
        QVERIFY(box);
        QCOMPARE(labelText(box, "lblVersion"), QStringLiteral("Version 1.0.8"));

        // Closing the tutorial brings the main window back unchanged, and leaves the box.
        QVERIFY(tutorial->close());
        QVERIFY(main.isVisible());
        QCOMPARE(stateOf(main), before);
        QTRY_VERIFY(tutorial.isNull()); // its release changes nothing more
        QVERIFY(main.isVisible());
        QCOMPARE(stateOf(main), before);
        QCOMPARE(theOne<frmAbout>(), box.data());
        QVERIFY(box->isVisible());
        box->close();

        trigger(main, "VT"); // a fresh tutorial window
        QVERIFY(theOne<Form2>() && !main.isVisible());
        theOne<Form2>()->close();
        QVERIFY(main.isVisible());
    }

    void releasingTheTutorialWithTheMainWindowIsQuiet()
    {
        // The main window goes while the tutorial is open: the tutorial is released with
        // it and must not try to show a main window that is being destroyed.
        auto* main = new Form1;
        main->show();
        trigger(*main, "VT");
        QPointer<Form2> tutorial = theOne<Form2>();
        QVERIFY(tutorial);
        const ShowCounter counter(main);
        delete main;
        QVERIFY(tutorial.isNull());
        QCOMPARE(counter.shows, 0);
    }

    // In the real event loop, where closing the last window ends the program.
    void theProgramRunsWhileTheAboutBoxIsOpen()
    {
        Form1 main;
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        bool stillOpenAfterMainClosed = false;
        QTimer::singleShot(0, &main, [&] {
            main.show();
            trigger(main, "about");
            main.close();
            stillOpenAfterMainClosed = lastClosed.isEmpty() && theOne<frmAbout>()->isVisible();
            theOne<frmAbout>()->close();
        });
        QTimer::singleShot(30'000, &main, [] { QCoreApplication::exit(1); }); // watchdog
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(stillOpenAfterMainClosed);
        QCOMPARE(lastClosed.size(), 1);
    }
};

QTEST_MAIN(CompanionWindowsTest)
#include "tst_companionwindows.moc"
