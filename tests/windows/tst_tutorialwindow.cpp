#include "EmbeddedPlayer.h"
#include "Form2.h"
#include "NamedChild.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QSignalSpy>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QVideoWidget>

using namespace vantrel;

namespace {

QStringList actionTexts(const QWidget& widget)
{
    QStringList texts;
    for (const QAction* action : widget.actions())
        texts << action->text();
    return texts;
}

} // namespace

class TutorialWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void windowAsDesigned()
    {
        Form2 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.windowTitle(), QStringLiteral("Form2"));
        QCOMPARE(window.centralWidget()->size(), QSize(756, 543));
        QVERIFY(window.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        QCOMPARE(window.centralWidget()->palette().color(QPalette::Window),
                 QApplication::palette().color(QPalette::Window));

        const QList<QAction*> menu = window.menuBar()->actions();
        QCOMPARE(menu.size(), 1);
        QCOMPARE(menu.first()->text(), QStringLiteral("About"));
        QCOMPARE(menu.first()->objectName(), QStringLiteral("about1"));
        QVERIFY(!menu.first()->menu());
        QVERIFY(menu.first()->shortcut().isEmpty());
    }

    void playerKeepsItsPlaceAndSize()
    {
        Form2 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* player = child<EmbeddedPlayer>(window, "WindowsMediaPlayer1");
        const QRect fixed(0, 0, 761, 545);
        QCOMPARE(player->geometry(), fixed);
        window.resize(1000, 800);
        QTRY_COMPARE(window.centralWidget()->width(), 1000);
        QCOMPARE(player->geometry(), fixed);
        window.resize(300, 200);
        QTRY_COMPARE(window.centralWidget()->width(), 300);
        QCOMPARE(player->geometry(), fixed);
    }

    void aboutAndCloseAreAnnounced()
    {
        Form2 window;
        window.show();
        QSignalSpy about(&window, &Form2::aboutRequested);
        QSignalSpy closed(&window, &Form2::closed);
        window.findChild<QAction*>(QStringLiteral("about1"))->trigger();
        QCOMPARE(about.size(), 1);
        QVERIFY(window.isVisible());
        QVERIFY(window.close());
        QCOMPARE(closed.size(), 1);
        QVERIFY(!window.isVisible());
    }

    void playerOpensEmptyAndIdleWithItsSettings()
    {
        Form2 window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        EmbeddedPlayer* player = window.player();
        QMediaPlayer* media = player->mediaPlayer();
        QVERIFY(media->source().isEmpty());
        QCOMPARE(media->mediaStatus(), QMediaPlayer::NoMedia);
        QCOMPARE(media->playbackState(), QMediaPlayer::StoppedState);
        QCOMPARE(media->loops(), 1);
        QCOMPARE(media->playbackRate(), 1.0);
        QCOMPARE(media->position(), 0);
        QCOMPARE(player->audioOutput()->volume(), 0.5F);
        QVERIFY(!player->audioOutput()->isMuted());
        QCOMPARE(player->settings().balance, 0);
        QVERIFY(player->settings().autoStart);
        QVERIFY(!player->settings().stretchToFit);
        QVERIFY(player->isEnabled());

        QCOMPARE(child<QSlider>(*player, "volume")->value(), 50);
        QVERIFY(!child<QToolButton>(*player, "mute")->isChecked());
        auto* playPause = child<QToolButton>(*player, "playPause");
        QCOMPARE(playPause->accessibleName(), QStringLiteral("Play"));
        QVERIFY(!playPause->isEnabled()); // nothing to play
        QVERIFY(!child<QToolButton>(*player, "stop")->isEnabled());
        QVERIFY(!child<QSlider>(*player, "seek")->isEnabled());
        QCOMPARE(child<QLabel>(*player, "time")->text(), QStringLiteral("0:00 / 0:00"));
        QVERIFY(!child<QVideoWidget>(*player, "video")->isVisible());
        QCOMPARE(player->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(actionTexts(*player), QStringList({"Play", "Pause", "Stop", "Mute"}));
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
        QVERIFY(player.findChild<QAction*>(QStringLiteral("actionMute"))->isChecked());
        QCOMPARE(player.contextMenuPolicy(), Qt::NoContextMenu);
        QVERIFY(!player.isEnabled());
    }

    void controlsDriveTheAudio()
    {
        EmbeddedPlayer player;
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        auto* volume = child<QSlider>(player, "volume");
        QTest::keyClick(volume, Qt::Key_PageDown);
        QCOMPARE(player.audioOutput()->volume(), 0.4F);
        QTest::mouseClick(child<QToolButton>(player, "mute"), Qt::LeftButton);
        QVERIFY(player.audioOutput()->isMuted());
        QVERIFY(player.findChild<QAction*>(QStringLiteral("actionMute"))->isChecked());
        player.findChild<QAction*>(QStringLiteral("actionMute"))->trigger();
        QVERIFY(!player.audioOutput()->isMuted());
        QVERIFY(!child<QToolButton>(player, "mute")->isChecked());
    }

    void anErrorIsTextInThePlayerNeverADialog()
    {
        QTemporaryDir folder;
        QFile broken(folder.filePath(QStringLiteral("broken.webm")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("this is not a video");
        broken.close();

        EmbeddedPlayer player;
        player.show();
        QVERIFY(QTest::qWaitForWindowExposed(&player));
        auto* error = child<QLabel>(player, "errorText");
        player.setSource(QUrl::fromLocalFile(broken.fileName()));
        QTRY_VERIFY_WITH_TIMEOUT(error->isVisible(), 20'000);
        QVERIFY(!error->text().isEmpty());
        QCOMPARE(error->text(), player.mediaPlayer()->errorString());
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(QApplication::topLevelWidgets().size(), 1);

        player.setSource(QUrl());
        QVERIFY(!error->isVisible());
    }
};

QTEST_MAIN(TutorialWindowTest)
#include "tst_tutorialwindow.moc"
