#include "EmbeddedPlayer.h"
#include "NamedChild.h"

#include <QAction>
#include <QAudioDevice>
#include <QLabel>
#include <QMediaDevices>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <QVideoFrame>
#include <QVideoSink>
#include <QVideoWidget>

using namespace vantrel;

namespace {

// A real clip played through the real backend: one second, 160 x 120 VP8 with a Vorbis
// tone. The machines that run these tests have no sound device.
const QUrl Clip = QUrl::fromLocalFile(QStringLiteral(VANTREL_TEST_CLIP));
constexpr int PlaybackTimeoutMs = 30'000;

} // namespace

class PlaybackTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qInfo() << "sound devices:" << QMediaDevices::audioOutputs().size(); }

    void playsTheClipOnceWithPictures()
    {
        EmbeddedPlayer player;
        player.resize(761, 545);
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        QMediaPlayer* media = player.mediaPlayer();
        int frames = 0;
        connect(player.videoSink(), &QVideoSink::videoFrameChanged, this,
                [&frames](const QVideoFrame& frame) { frames += frame.isValid() ? 1 : 0; });
        qint64 furthest = 0;
        connect(media, &QMediaPlayer::positionChanged, this,
                [&furthest](qint64 position) { furthest = std::max(furthest, position); });
        QSignalSpy states(media, &QMediaPlayer::playbackStateChanged);

        player.setSource(Clip); // autoStart: no play command needed
        QTRY_COMPARE_WITH_TIMEOUT(media->mediaStatus(), QMediaPlayer::EndOfMedia,
                                  PlaybackTimeoutMs);
        QVERIFY(media->hasVideo());
        QVERIFY(media->hasAudio());
        QVERIFY2(frames > 5, qPrintable(QString::number(frames)));
        QVERIFY(furthest >= 500);
        QCOMPARE(media->duration(), 1000);
        QCOMPARE(media->error(), QMediaPlayer::NoError);

        // Played once: it started, it stopped, and it stays stopped.
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        QCOMPARE(states.size(), 2);
        QCOMPARE(states.at(0).at(0).value<QMediaPlayer::PlaybackState>(),
                 QMediaPlayer::PlayingState);
        QCOMPARE(child<QToolButton>(player, "playPause")->accessibleName(), QStringLiteral("Play"));
        QCOMPARE(child<QLabel>(player, "time")->text().section(u'/', 1).trimmed(),
                 QStringLiteral("0:01"));
    }

    void videoKeepsItsOwnSizeInTheMiddle()
    {
        EmbeddedPlayer player;
        player.resize(761, 545);
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        player.setSource(Clip);
        auto* video = child<QVideoWidget>(player, "video");
        QTRY_VERIFY_WITH_TIMEOUT(video->isVisible(), PlaybackTimeoutMs);
        QCOMPARE(video->size(), QSize(160, 120));
        const QWidget* area = video->parentWidget();
        QCOMPARE(video->geometry().center(), area->rect().center());
    }

    void controlsPauseSeekAndStopTheRealPlayer()
    {
        PlayerSettings settings;
        settings.autoStart = false;
        EmbeddedPlayer player(settings);
        player.show();
        QVERIFY(QTest::qWaitForWindowActive(&player));
        QMediaPlayer* media = player.mediaPlayer();
        player.setSource(Clip);
        QTRY_COMPARE_WITH_TIMEOUT(media->mediaStatus(), QMediaPlayer::LoadedMedia,
                                  PlaybackTimeoutMs);
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState); // no autoStart

        auto* playPause = child<QToolButton>(player, "playPause");
        QTest::mouseClick(playPause, Qt::LeftButton);
        QCOMPARE(media->playbackState(), QMediaPlayer::PlayingState);
        QCOMPARE(playPause->accessibleName(), QStringLiteral("Pause"));
        player.findChild<QAction*>(QStringLiteral("actionPause"))->trigger();
        QCOMPARE(media->playbackState(), QMediaPlayer::PausedState);
        QCOMPARE(playPause->accessibleName(), QStringLiteral("Play"));

        auto* seek = child<QSlider>(player, "seek");
        QTRY_VERIFY_WITH_TIMEOUT(seek->isEnabled(), PlaybackTimeoutMs);
        seek->setFocus();
        QTest::keyClick(seek, Qt::Key_End);
        QTRY_VERIFY(media->position() > 900);

        QTest::mouseClick(child<QToolButton>(player, "stop"), Qt::LeftButton);
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        QTRY_COMPARE(media->position(), 0);
    }
};

QTEST_MAIN(PlaybackTest)
#include "tst_playback.moc"
