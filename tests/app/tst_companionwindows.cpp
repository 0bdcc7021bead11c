#include "Form1.h"
#include "NamedChild.h"
#include "frmAbout.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
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

} // namespace

class CompanionWindowsTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Closed windows are released on the next pass of the event loop.
        QTRY_VERIFY(loaded<frmAbout>().isEmpty());
    }

    void aboutTwiceKeepsOneBox()
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

        box->close();
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
