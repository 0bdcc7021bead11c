#include "EmbeddedPlayer.h"
#include "Form1.h"
#include "Form2.h"
#include "ProgramData.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>

using namespace vantrel;

namespace {
constexpr int PlaybackTimeoutMs = 30'000;
} // namespace

class TutorialVideoTest : public QObject
{
    Q_OBJECT

private slots:
    void shippedVideoIsFoundFromTheBuildTree()
    {
        const QUrl video = tutorialVideo(QStringLiteral(VANTREL_BUILD_BIN_DIR));
        QVERIFY(video.isLocalFile());
        const QFileInfo file(video.toLocalFile());
        QCOMPARE(file.fileName(), QStringLiteral("vantrel-tutorial.webm"));
        QVERIFY(file.size() > 10'000 && file.size() < 2'000'000);
        QVERIFY(tutorialVideo(QStringLiteral("/nonexistent/bin")).isEmpty());
    }

    void playsAtOnceWithPicturesAndEndsAfterOnePlay()
    {
        Form2 window(tutorialVideo(QStringLiteral(VANTREL_BUILD_BIN_DIR)));
        QMediaPlayer* media = window.player()->mediaPlayer();
        int frames = 0;
        connect(window.player()->videoSink(), &QVideoSink::videoFrameChanged, this,
                [&frames](const QVideoFrame& frame) { frames += frame.isValid() ? 1 : 0; });
        window.show();
        // autoStart: nobody presses play.
        QTRY_COMPARE_WITH_TIMEOUT(media->playbackState(), QMediaPlayer::PlayingState,
                                  PlaybackTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(frames > 5, PlaybackTimeoutMs);
        QVERIFY(media->hasVideo());
        QVERIFY2(media->duration() >= 30'000 && media->duration() <= 90'000,
                 qPrintable(QString::number(media->duration())));

        // Skip to the last second and let it run out: it stops there and stays stopped.
        QTRY_VERIFY_WITH_TIMEOUT(media->isSeekable(), PlaybackTimeoutMs);
        media->setPosition(media->duration() - 1000);
        QTRY_COMPARE_WITH_TIMEOUT(media->mediaStatus(), QMediaPlayer::EndOfMedia,
                                  PlaybackTimeoutMs);
        QTest::qWait(300);
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        QCOMPARE(media->error(), QMediaPlayer::NoError);
    }

    void missingVideoLeavesThePlayerEmptyWithoutADialog()
    {
        // This test's binary has no data folder beside it, as a program whose video is gone.
        Form1 main;
        main.show();
        main.findChild<QAction*>(QStringLiteral("VT"))->trigger();
        Form2* tutorial = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* form = qobject_cast<Form2*>(widget); form && form->isVisible())
                tutorial = form;
        QVERIFY(tutorial);
        QVERIFY(!main.isVisible());
        QVERIFY(tutorial->player()->mediaPlayer()->source().isEmpty());
        QCOMPARE(tutorial->player()->mediaPlayer()->playbackState(), QMediaPlayer::StoppedState);
        QVERIFY(!QApplication::activeModalWidget());
        tutorial->close();
        QTRY_VERIFY(main.isVisible());
    }
};

QTEST_MAIN(TutorialVideoTest)
#include "tst_tutorialvideo.moc"
