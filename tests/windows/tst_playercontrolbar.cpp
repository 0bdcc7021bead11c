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
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

} // namespace

class PlayerControlBarTest : public QObject
{
    Q_OBJECT

private slots:
    void timesAreMinutesAndSeconds_data()
    {
        QTest::addColumn<qint64>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("start") << qint64(0) << "0:00";
        QTest::newRow("just short of a second") << qint64(999) << "0:00";
        QTest::newRow("seconds") << qint64(59'999) << "0:59";
        QTest::newRow("minutes") << qint64(61'000) << "1:01";
        QTest::newRow("under an hour") << qint64(3'599'000) << "59:59";
        QTest::newRow("an hour") << qint64(3'600'000) << "1:00:00";
        QTest::newRow("hours") << qint64(36'610'000) << "10:10:10";
        QTest::newRow("negative") << qint64(-5) << "0:00";
    }

    void timesAreMinutesAndSeconds()
    {
        QFETCH(qint64, milliseconds);
        QFETCH(QString, text);
        QCOMPARE(PlayerControlBar::formatTime(milliseconds), text);
    }

    void playPauseNamesItsCurrentAction()
    {
        PlayerControlBar bar;
        bar.setMediaPresent(true);
        auto* button = child<QToolButton>(bar, "playPause");
        QSignalSpy play(&bar, &PlayerControlBar::playRequested);
        QSignalSpy pause(&bar, &PlayerControlBar::pauseRequested);
        QCOMPARE(spokenName(button), QStringLiteral("Play"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(play.size(), 1);
        QCOMPARE(pause.size(), 0);

        bar.setPlaying(true);
        QCOMPARE(spokenName(button), QStringLiteral("Pause"));
        QCOMPARE(button->toolTip(), QStringLiteral("Pause"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(pause.size(), 1);
        QCOMPARE(play.size(), 1);

        QSignalSpy stop(&bar, &PlayerControlBar::stopRequested);
        QTest::mouseClick(child<QToolButton>(bar, "stop"), Qt::LeftButton);
        QCOMPARE(stop.size(), 1);
    }

    void everyControlIsReachedByTabAndNamed()
    {
        PlayerControlBar bar;
        bar.setMediaPresent(true);
        bar.setSeekable(true);
        bar.show();
        QVERIFY(QTest::qWaitForWindowActive(&bar));
        child<QToolButton>(bar, "playPause")->setFocus();
        QStringList reached;
        for (int i = 0; i < 5; ++i) {
            QWidget* focused = QApplication::focusWidget();
            reached << focused->objectName() + u'=' + spokenName(focused);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(reached, QStringList({"playPause=Play", "stop=Stop", "seek=Seek", "volume=Volume",
                                       "mute=Mute"}));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("playPause"));
    }

    void keysAndMouseSeek()
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
        QTest::keyClick(seek, Qt::Key_Right);
        QTest::keyClick(seek, Qt::Key_PageUp);
        QTest::keyClick(seek, Qt::Key_End);
        QTest::keyClick(seek, Qt::Key_Left);
        QCOMPARE(seeks.size(), 4);
        QCOMPARE(seeks.at(0).at(0).toLongLong(), 1000);
        QCOMPARE(seeks.at(1).at(0).toLongLong(), 6000);
        QCOMPARE(seeks.at(2).at(0).toLongLong(), 10'000);
        QCOMPARE(seeks.at(3).at(0).toLongLong(), 9000);
        QCOMPARE(child<QLabel>(bar, "time")->text(), QStringLiteral("0:09 / 0:10"));

        seeks.clear();
        QTest::mouseClick(seek, Qt::LeftButton, {}, QPoint(4, seek->height() / 2));
        QVERIFY(!seeks.isEmpty());
        QVERIFY(seeks.last().at(0).toLongLong() < 9000);
    }

    void positionUpdatesDoNotSeekAndWaitWhileTheSliderIsHeld()
    {
        PlayerControlBar bar;
        bar.setSeekable(true);
        bar.setDuration(10'000);
        QSignalSpy seeks(&bar, &PlayerControlBar::seekRequested);
        bar.setPosition(3000);
        auto* seek = child<QSlider>(bar, "seek");
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
        QCOMPARE(volumes.size(), 1);
        QCOMPARE(volumes.at(0).at(0).toInt(), 60);
        auto* mute = child<QToolButton>(bar, "mute");
        QTest::mouseClick(mute, Qt::LeftButton);
        QCOMPARE(mutes.size(), 1);
        QCOMPARE(mutes.at(0).at(0).toBool(), true);
        // The player unmuting itself is shown, and not sent back as a request.
        bar.setMuted(false);
        QVERIFY(!mute->isChecked());
        QCOMPARE(mutes.size(), 1);
    }
};

QTEST_MAIN(PlayerControlBarTest)
#include "tst_playercontrolbar.moc"
