#include "NamedChild.h"
#include "tutorial/EmbeddedPlayer.h"
#include "tutorial/Form2.h"

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

    std::unique_ptr<Form2> m_window;

    EmbeddedPlayer& player() const { return *m_window->player(); }
    QMediaPlayer& media() const { return *player().mediaPlayer(); }
    template <class T = QWidget> T* control(const char* name) const
    {
        return child<T>(player(), name);
    }

private slots:
    // The window as the main window opens it when no video was found: an idle player.
    void init()
    {
        m_window = std::make_unique<Form2>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void windowKeepsAnIdlePlayerInPlace()
    {
        Form2& window = *m_window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Form2"));
        QCOMPARE(window.centralWidget()->size(), QSize(756, 543));
        QCOMPARE(window.windowFlags() & Qt::WindowMinMaxButtonsHint, Qt::WindowMinMaxButtonsHint);
        const QList<QAction*> bar = window.menuBar()->actions();
        QCOMPARE(bar.size(), 1);
        QCOMPARE(bar.first()->objectName() + u'=' + bar.first()->text(), u"about1=About");
        QVERIFY(!bar.first()->menu() && bar.first()->shortcut().isEmpty());
        const QRect fixed(0, 0, 761, 545);
        QCOMPARE(player().geometry(), fixed);
        for (const QSize size : {QSize(1000, 800), QSize(300, 200)}) {
            window.resize(size);
            QTRY_COMPARE(window.centralWidget()->width(), size.width());
            QCOMPARE(player().geometry(), fixed);
        }

        // Empty and idle, with nothing to play; its own controls drive the audio.
        QCOMPARE(media().mediaStatus(), QMediaPlayer::NoMedia);
        for (const char* name : {"playPause", "stop", "seek"})
            QVERIFY2(!control(name)->isEnabled(), name);
        QStringList menu;
        for (const QAction* action : player().actions())
            menu << action->text();
        QCOMPARE(menu, QStringList({"Play", "Pause", "Stop", "Mute"}));
        QCOMPARE(player().contextMenuPolicy(), Qt::ActionsContextMenu);
        auto* volume = control<QSlider>("volume");
        QCOMPARE(volume->value(), 50);
        QTest::keyClick(volume, Qt::Key_PageDown);
        QCOMPARE(player().audioOutput()->volume(), 0.4F); // linear
        auto* mute = control<QToolButton>("mute");
        auto* muteItem = child<QAction>(player(), "actionMute");
        QTest::mouseClick(mute, Qt::LeftButton);
        QVERIFY(player().audioOutput()->isMuted() && muteItem->isChecked());
        muteItem->trigger();
        QVERIFY(!player().audioOutput()->isMuted() && !mute->isChecked());
    }

    void anErrorIsTextInThePlayerNeverADialog()
    {
        auto* error = control<QLabel>("errorText");
        // This test's own program is no video.
        player().setSource(QUrl::fromLocalFile(QCoreApplication::applicationFilePath()));
        QTRY_VERIFY_WITH_TIMEOUT(error->isVisible(), 20'000);
        QVERIFY(!error->text().isEmpty());
        QCOMPARE(error->text(), media().errorString());
        QCOMPARE(QApplication::topLevelWidgets().size(), 1); // no dialog
        player().setSource(QUrl());
        QVERIFY(!error->isVisible());
    }

    // The clip starts as soon as it is given, shows at its own size, answers the controls
    // and plays once.
    void playsTheClipOnceWithPicturesAtItsOwnSize()
    {
        int frames = 0;
        connect(player().videoSink(), &QVideoSink::videoFrameChanged, this,
                [&frames](const QVideoFrame& frame) { frames += frame.isValid() ? 1 : 0; });
        QSignalSpy states(&media(), &QMediaPlayer::playbackStateChanged);
        player().setSource(Clip);
        auto* video = control<QVideoWidget>("video");
        QTRY_VERIFY_WITH_TIMEOUT(video->isVisible(), PlaybackTimeoutMs);
        QCOMPARE(video->size(), QSize(160, 120));
        QCOMPARE(video->geometry().center(), video->parentWidget()->rect().center());

        auto* playPause = control<QToolButton>("playPause");
        QCOMPARE(playPause->accessibleName(), QStringLiteral("Pause"));
        QTest::mouseClick(playPause, Qt::LeftButton);
        QCOMPARE(media().playbackState(), QMediaPlayer::PausedState);
        QCOMPARE(playPause->accessibleName(), QStringLiteral("Play"));
        auto* seek = control<QSlider>("seek");
        QTRY_VERIFY_WITH_TIMEOUT(seek->isEnabled(), PlaybackTimeoutMs);
        seek->setFocus();
        QTest::keyClick(seek, Qt::Key_End);
        QTRY_VERIFY(media().position() > 900);
        QTest::mouseClick(control<QToolButton>("stop"), Qt::LeftButton);
        QTRY_COMPARE(media().position(), 0);
        child<QAction>(player(), "actionPlay")->trigger();

        QTRY_COMPARE_WITH_TIMEOUT(media().mediaStatus(), QMediaPlayer::EndOfMedia,
                                  PlaybackTimeoutMs);
        QVERIFY2(frames > 5, qPrintable(QString::number(frames)));
        QCOMPARE(media().error(), QMediaPlayer::NoError);
        // Played once: it stopped at the end, and stays stopped.
        QTest::qWait(300);
        QList<QMediaPlayer::PlaybackState> changes;
        for (const QList<QVariant>& change : states)
            changes << change.at(0).value<QMediaPlayer::PlaybackState>();
        QCOMPARE(changes, QList({QMediaPlayer::PlayingState, QMediaPlayer::PausedState,
                                 QMediaPlayer::StoppedState, QMediaPlayer::PlayingState,
                                 QMediaPlayer::StoppedState}));
        QCOMPARE(playPause->accessibleName(), QStringLiteral("Play"));
        QCOMPARE(control<QLabel>("time")->text().section(u'/', 1).trimmed(),
                 QStringLiteral("0:01"));
    }
};

QTEST_MAIN(TutorialWindowTest)
#include "tst_tutorialwindow.moc"
