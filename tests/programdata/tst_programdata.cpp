#include "programdata/ProgramData.h"
#include "tutorial/EmbeddedPlayer.h"
#include "tutorial/Form2.h"
#include "tutorial/TutorialWindowMaker.h"

#include <QFileInfo>
#include <QPluginLoader>
#include <QTest>
#include <QVideoFrame>
#include <QVideoSink>

using namespace vantrel;

class TutorialVideoTest : public QObject
{
    Q_OBJECT

private slots:
    // The shipped video is found from the window program's folder and plays as soon as the
    // window shows; how a clip plays, pauses and ends is the tutorial window's own test.
    void shippedVideoIsFoundAndPlaysAtOnce()
    {
        const QUrl video = tutorialVideo(QStringLiteral(VANTREL_BUILD_PROGRAMS_DIR));
        QCOMPARE(QFileInfo(video.toLocalFile()).fileName(),
                 QStringLiteral("vantrel-tutorial.webm"));
        QVERIFY(tutorialVideo(QStringLiteral("/nonexistent/bin")).isEmpty());
        // The program finds its tutorial window's library the same way.
        QPluginLoader library(tutorialLibrary(QStringLiteral(VANTREL_BUILD_PROGRAMS_DIR)));
        QVERIFY2(qobject_cast<TutorialWindowMaker*>(library.instance()),
                 qPrintable(library.errorString()));

        Form2 window(video);
        QMediaPlayer* media = window.player()->mediaPlayer();
        int frames = 0;
        connect(window.player()->videoSink(), &QVideoSink::videoFrameChanged, this,
                [&frames](const QVideoFrame& frame) { frames += frame.isValid() ? 1 : 0; });
        window.show(); // nobody presses play
        QTRY_VERIFY_WITH_TIMEOUT(frames > 5, 30'000);
        QVERIFY(media->hasVideo());
        QVERIFY2(media->duration() >= 30'000 && media->duration() <= 90'000,
                 qPrintable(QString::number(media->duration())));
        QCOMPARE(media->error(), QMediaPlayer::NoError);
    }
};

QTEST_MAIN(TutorialVideoTest)
#include "tst_programdata.moc"
