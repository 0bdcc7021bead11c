#include "EmbeddedPlayer.h"
#include "Form2.h"
#include "NamedChild.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
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

class TutorialWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void windowKeepsAnIdlePlayerInPlace()
    {
        Form2 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Form2"));
        QCOMPARE(window.centralWidget()->size(), QSize(756, 543));
        QCOMPARE(window.windowFlags() & Qt::WindowMinMaxButtonsHint, Qt::WindowMinMaxButtonsHint);
        const QList<QAction*> bar = window.menuBar()->actions();
        QCOMPARE(bar.size(), 1);
        QCOMPARE(bar.first()->objectName() + u'=' + bar.first()->text(), u"about1=About");
        QVERIFY(!bar.first()->menu() && bar.first()->shortcut().isEmpty());

        const QRect fixed(0, 0, 761, 545);
        QCOMPARE(window.player()->geometry(), fixed);
        for (const QSize size : {QSize(1000, 800), QSize(300, 200)}) {
            window.resize(size);
            QTRY_COMPARE(window.centralWidget()->width(), size.width());
            QCOMPARE(window.player()->geometry(), fixed);
        }

        // The player opens empty and idle, and its own controls drive the audio.
        EmbeddedPlayer& player = *window.player();
        QMediaPlayer* media = player.mediaPlayer();
        QVERIFY(media->source().isEmpty());
        QCOMPARE(media->mediaStatus(), QMediaPlayer::NoMedia);
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        QCOMPARE(media->loops(), 1);
        QCOMPARE(player.audioOutput()->volume(), 0.5F);
        QVERIFY(!player.audioOutput()->isMuted());
        for (const char* name : {"playPause", "stop", "seek"}) // nothing to play
            QVERIFY2(!child<QWidget>(player, name)->isEnabled(), name);
        QCOMPARE(child<QLabel>(player, "time")->text(), QStringLiteral("0:00 / 0:00"));
        QVERIFY(!child<QVideoWidget>(player, "video")->isVisible());
        QCOMPARE(player.contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList menu;
        for (const QAction* action : player.actions())
            menu << action->text();
        QCOMPARE(menu, QStringList({"Play", "Pause", "Stop", "Mute"}));

        auto* volume = child<QSlider>(player, "volume");
        QCOMPARE(volume->value(), 50);
        QTest::keyClick(volume, Qt::Key_PageDown);
        QCOMPARE(player.audioOutput()->volume(), 0.4F);
        auto* mute = child<QToolButton>(player, "mute");
        QTest::mouseClick(mute, Qt::LeftButton);
        QVERIFY(player.audioOutput()->isMuted());
        QVERIFY(child<QAction>(player, "actionMute")->isChecked());
        child<QAction>(player, "actionMute")->trigger();
        QVERIFY(!player.audioOutput()->isMuted());
        QVERIFY(!mute->isChecked());
    }

    void anotherSettingsRecordIsAppliedAsGiven()
    {
        PlayerSettings settings;
        settings.playCount = 3;
        settings.volume = 20;
        settings.mute = true;
        settings.enableContextMenu = false;
        settings.enabled = false;
        EmbeddedPlayer player(settings);
        QCOMPARE(player.mediaPlayer()->loops(), 3);
        QCOMPARE(player.audioOutput()->volume(), 0.2F);
        QVERIFY(player.audioOutput()->isMuted());
        QCOMPARE(child<QSlider>(player, "volume")->value(), 20);
        QVERIFY(child<QToolButton>(player, "mute")->isChecked());
        QVERIFY(child<QAction>(player, "actionMute")->isChecked());
        QCOMPARE(player.contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(!player.isEnabled());
    }

    void anErrorIsTextInThePlayerNeverADialog()
    {
        EmbeddedPlayer player;
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        auto* error = child<QLabel>(player, "errorText");
        // This test's own program is no video.
        player.setSource(QUrl::fromLocalFile(QCoreApplication::applicationFilePath()));
        QTRY_VERIFY_WITH_TIMEOUT(error->isVisible(), 20'000);
        QVERIFY(!error->text().isEmpty());
        QCOMPARE(error->text(), player.mediaPlayer()->errorString());
        QCOMPARE(QApplication::topLevelWidgets().size(), 1); // no dialog
        player.setSource(QUrl());
        QVERIFY(!error->isVisible());
    }

    void playsTheClipOnceWithPicturesAtItsOwnSize()
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
        auto* video = child<QVideoWidget>(player, "video");
        QTRY_VERIFY_WITH_TIMEOUT(video->isVisible(), PlaybackTimeoutMs);
        QCOMPARE(video->size(), QSize(160, 120)); // its own size, in the middle
        QCOMPARE(video->geometry().center(), video->parentWidget()->rect().center());
        QTRY_COMPARE_WITH_TIMEOUT(media->mediaStatus(), QMediaPlayer::EndOfMedia,
                                  PlaybackTimeoutMs);
        QVERIFY(media->hasVideo() && media->hasAudio());
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
        child<QAction>(player, "actionPause")->trigger();
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

QTEST_MAIN(TutorialWindowTest)
#include "tst_tutorialwindow.moc"
