#include "Form1.h"
#include "Form2.h"
#include "NamedChild.h"
#include "ScriptEditor.h"
#include "frmAbout.h"

#include <QAction>
#include <QApplication>
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

// The loaded windows of one kind; a closed window counts until it is really destroyed.
template <class Window> QList<Window*> loaded()
{
    QList<Window*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<Window*>(widget))
            windows << window;
    return windows;
}

template <class Window> Window* theOne()
{
    const QList<Window*> windows = loaded<Window>();
    return windows.size() == 1 ? windows.first() : nullptr;
}

QString labelText(const QWidget* box, const char* name)
{
    return child<QLabel>(*box, name)->text();
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
    const auto* check = child<QCheckBox>(window, "Check1");
    state << QStringLiteral("Check1=%1").arg(check->checkState());
    return state;
}

// Counts the Show events that one widget receives.
class ShowCounter : public QObject
{
public:
    explicit ShowCounter(const QObject* watched) : m_watched(watched)
    {
        qApp->installEventFilter(this);
    }
    int shows = 0;

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (object == m_watched && event->type() == QEvent::Show)
            ++shows;
        return false;
    }

private:
    const QObject* m_watched;
};

} // namespace

class CompanionWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Closed windows are released on the next pass of the event loop.
        QTRY_VERIFY(loaded<frmAbout>().isEmpty());
        QTRY_VERIFY(loaded<Form2>().isEmpty());
    }

    void bothAboutCommandsShareOneBox()
    {
        Form1 main;
        main.show();
        trigger(main, "about");
        QPointer<frmAbout> box = theOne<frmAbout>();
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QVERIFY(main.isVisible()); // modeless: the main window stays as it was
        // Marks the box, so that a second load step would show.
        child<QLabel>(*box, "lblTitle")->setText(QStringLiteral("marked"));

        trigger(main, "about");
        QCOMPARE(theOne<frmAbout>(), box.data());
        QCOMPARE(labelText(box, "lblTitle"), QStringLiteral("marked"));

        trigger(main, "VT");
        Form2* tutorial = theOne<Form2>();
        QVERIFY(tutorial);
        trigger(*tutorial, "about1");
        QCOMPARE(theOne<frmAbout>(), box.data());
        QCOMPARE(labelText(box, "lblTitle"), QStringLiteral("marked"));
        QVERIFY(!main.isVisible());
        QVERIFY(tutorial->isVisible());

        // OK returns to the tutorial window; the main window stays hidden.
        QTest::mouseClick(child<QPushButton>(*box, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(box.isNull());
        QVERIFY(tutorial->isVisible());
        QVERIFY(!main.isVisible());
        tutorial->close();
    }

    void okUnloadsAndTheNextShowLoadsAfresh()
    {
        Form1 main;
        main.show();
        trigger(main, "about");
        QPointer<frmAbout> first = theOne<frmAbout>();
        child<QLabel>(*first, "lblVersion")->setText(QStringLiteral("x"));
        QTest::mouseClick(child<QPushButton>(*first, "cmdOK"), Qt::LeftButton);
        QTRY_VERIFY(first.isNull());

        trigger(main, "about");
        frmAbout* second = theOne<frmAbout>();
        QVERIFY(second);
        QCOMPARE(second->windowTitle(), QStringLiteral("About Vantrel"));
        QCOMPARE(labelText(second, "lblTitle"), QStringLiteral("Vantrel"));
        QCOMPARE(labelText(second, "lblVersion"), QStringLiteral("Version 1.0.8"));
        second->close();
    }

    void tutorialHidesTheMainWindowAndBringsItBackUnchanged()
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

        trigger(main, "VT");
        QPointer<Form2> tutorial = theOne<Form2>();
        QVERIFY(tutorial);
        QVERIFY(tutorial->isVisible());
        QCOMPARE(tutorial->windowTitle(), QStringLiteral("Form2"));
        QVERIFY(!main.isVisible());

        QVERIFY(tutorial->close());
        QVERIFY(main.isVisible());
        QCOMPARE(stateOf(main), before);
        QTRY_VERIFY(tutorial.isNull()); // closing unloads it; its release changes nothing more
        QVERIFY(main.isVisible());
        QCOMPARE(stateOf(main), before);

        // The next Video Tutorial command loads a fresh window.
        trigger(main, "VT");
        QVERIFY(theOne<Form2>());
        QVERIFY(!main.isVisible());
        theOne<Form2>()->close();
        QVERIFY(main.isVisible());
    }

    void closingTheTutorialLeavesTheAboutBoxOpen()
    {
        Form1 main;
        main.show();
        trigger(main, "VT");
        Form2* tutorial = theOne<Form2>();
        trigger(*tutorial, "about1");
        frmAbout* box = theOne<frmAbout>();
        QVERIFY(box);
        tutorial->close();
        QTRY_VERIFY(loaded<Form2>().isEmpty());
        QCOMPARE(theOne<frmAbout>(), box);
        QVERIFY(box->isVisible());
        QVERIFY(main.isVisible());
        box->close();
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

    // Runs in the real event loop, where closing windows can end the program.
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
            theOne<frmAbout>()->close(); // the last window: the program ends
        });
        QTimer watchdog;
        watchdog.callOnTimeout(qApp, [] { QCoreApplication::exit(1); });
        watchdog.start(30'000);
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(stillOpenAfterMainClosed);
        QCOMPARE(lastClosed.size(), 1);
    }
};

QTEST_MAIN(CompanionWindowsTest)
#include "tst_companionwindows.moc"
