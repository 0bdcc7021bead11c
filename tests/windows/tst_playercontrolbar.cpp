#include "NamedChild.h"
#include "PlayerControlBar.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace vantrel;

namespace {
// What a screen reader is told the control is called.
QString spokenName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}
} // namespace

class PlayerControlBarTest : public QObject
{
    Q_OBJECT

private slots:
    void timesAreMinutesAndSeconds()
    {
        QStringList shown;
        for (qint64 ms : {0, 999, 59'999, 61'000, 3'599'000, 3'600'000, 36'610'000, -5})
            shown << PlayerControlBar::formatTime(ms);
        QCOMPARE(shown.join(u' '), u"0:00 0:00 0:59 1:01 59:59 1:00:00 10:10:10 0:00");
    }

    void buttonsAreNamedReachedByTabAndAskForTheirAction()
    {
        PlayerControlBar bar;
        bar.setMediaPresent(true);
        bar.setSeekable(true);
        bar.show();
        QVERIFY(QTest::qWaitForWindowActive(&bar));
        auto* playPause = child<QToolButton>(bar, "playPause");
        playPause->setFocus();
        QStringList reached;
        for (int i = 0; i < 5; ++i) {
            QWidget* focused = QApplication::focusWidget();
            reached << focused->objectName() + u'=' + spokenName(focused);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(reached, QStringList({"playPause=Play", "stop=Stop", "seek=Seek", "volume=Volume",
                                       "mute=Mute"}));
        QCOMPARE(QApplication::focusWidget(), playPause);

        QSignalSpy play(&bar, &PlayerControlBar::playRequested);
        QSignalSpy pause(&bar, &PlayerControlBar::pauseRequested);
        QSignalSpy stop(&bar, &PlayerControlBar::stopRequested);
        QTest::mouseClick(playPause, Qt::LeftButton);
        bar.setPlaying(true);
        QCOMPARE(spokenName(playPause), QStringLiteral("Pause"));
        QCOMPARE(playPause->toolTip(), QStringLiteral("Pause"));
        QTest::mouseClick(playPause, Qt::LeftButton);
        QTest::mouseClick(child<QToolButton>(bar, "stop"), Qt::LeftButton);
        QCOMPARE(play.size(), 1);
        QCOMPARE(pause.size(), 1);
        QCOMPARE(stop.size(), 1);
    }

    void keysAndMouseSeekAndPositionsWaitWhileHeld()
    {
        PlayerControlBar bar;
        bar.resize(600, 40);
        bar.setSeekable(true);
        bar.setDuration(10'000);
        bar.show();
        QVERIFY(QTest::qWaitForWindowActive(&bar));
        auto* seek = child<QSlider>(bar, "seek");
        seek->setFocus();
        QSignalSpy seeks(&bar, &PlayerControlBar::seekRequested);
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Left})
            QTest::keyClick(seek, key);
        QList<qint64> asked;
        for (const QList<QVariant>& signal : seeks)
            asked << signal.at(0).toLongLong();
        QCOMPARE(asked, QList<qint64>({1000, 6000, 10'000, 9000}));
        QCOMPARE(child<QLabel>(bar, "time")->text(), QStringLiteral("0:09 / 0:10"));
        seeks.clear();
        QTest::mouseClick(seek, Qt::LeftButton, {}, QPoint(4, seek->height() / 2));
        QVERIFY(!seeks.isEmpty() && seeks.last().at(0).toLongLong() < 9000);

        // The player's position moves the slider without a seek, and waits while it is held.
        seeks.clear();
        bar.setPosition(3000);
        QCOMPARE(seek->value(), 3000);
        QCOMPARE(child<QLabel>(bar, "time")->text(), QStringLiteral("0:03 / 0:10"));
        seek->setSliderDown(true);
        bar.setPosition(5000);
        QCOMPARE(seek->value(), 3000);
        QCOMPARE(seeks.size(), 0);
    }

    void volumeAndMuteAskOnlyForTheUsersChanges()
    {
        PlayerControlBar bar;
        QSignalSpy volumes(&bar, &PlayerControlBar::volumeRequested);
        QSignalSpy mutes(&bar, &PlayerControlBar::muteRequested);
        bar.setVolume(50);
        QTest::keyClick(child<QSlider>(bar, "volume"), Qt::Key_PageUp);
        QCOMPARE(volumes, QList<QList<QVariant>>({{60}}));
        auto* mute = child<QToolButton>(bar, "mute");
        QTest::mouseClick(mute, Qt::LeftButton);
        bar.setMuted(false); // the player's own change is shown, not sent back as a request
        QVERIFY(!mute->isChecked());
        QCOMPARE(mutes, QList<QList<QVariant>>({{true}}));
    }
};

QTEST_MAIN(PlayerControlBarTest)
#include "tst_playercontrolbar.moc"
