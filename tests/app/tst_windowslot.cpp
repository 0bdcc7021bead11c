#include "WindowSlot.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace vantrel;

namespace {
// A window whose constructor is its load step: count how often it runs.
class CountedWindow : public QWidget
{
public:
    explicit CountedWindow(int& loads)
    {
        ++loads;
        setWindowTitle(QStringLiteral("loaded %1").arg(loads));
    }
};
} // namespace

class WindowSlotTest : public QObject
{
    Q_OBJECT

private slots:
    void createsOnFirstShowKeepsItWhileHiddenRecreatesAfterClose()
    {
        int loads = 0;
        WindowSlot<CountedWindow> slot([&] { return new CountedWindow(loads); });
        QVERIFY(!slot.window());
        QCOMPARE(loads, 0);

        CountedWindow* first = slot.show();
        QVERIFY(first->isVisible());
        QCOMPARE(loads, 1);
        QCOMPARE(slot.show(), first); // showing a visible window changes nothing
        QCOMPARE(loads, 1);

        first->setWindowTitle(QStringLiteral("edited"));
        first->hide();
        QCOMPARE(slot.show(), first); // hidden, not destroyed: its state is kept
        QCOMPARE(first->windowTitle(), QStringLiteral("edited"));

        QSignalSpy destroyed(first, &QObject::destroyed);
        first->close();
        QTRY_COMPARE(destroyed.count(), 1);
        QVERIFY(!slot.window());

        CountedWindow* second = slot.show();
        QCOMPARE(loads, 2);
        QCOMPARE(second->windowTitle(), QStringLiteral("loaded 2"));
    }

    void programEndsWhenTheLastWindowCloses()
    {
        int loads = 0;
        WindowSlot<CountedWindow> a([&] { return new CountedWindow(loads); });
        WindowSlot<CountedWindow> b([&] { return new CountedWindow(loads); });
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        a.show();
        b.show();
        bool runningAfterFirstClose = false;
        QTimer::singleShot(0, [&] { a.window()->close(); });
        QTimer::singleShot(100, [&] {
            runningAfterFirstClose = lastClosed.isEmpty();
            b.window()->close();
        });
        QTimer::singleShot(10000, qApp, &QCoreApplication::quit); // watchdog
        QApplication::exec();
        QVERIFY(runningAfterFirstClose);
        QCOMPARE(lastClosed.count(), 1);
    }
};

QTEST_MAIN(WindowSlotTest)
#include "tst_windowslot.moc"
