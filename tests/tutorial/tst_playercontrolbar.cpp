#include "NamedChild.h"
#include "tutorial/PlayerControlBar.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

using namespace vantrel;

class PlayerControlBarTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayerControlBar> m_bar;

    template <class T> T* control(const char* name) const { return child<T>(*m_bar, name); }

private slots:
    void timesAreMinutesAndSeconds()
    {
        QStringList shown;
        for (qint64 ms : {0, 999, 59'999, 61'000, 3'599'000, 3'600'000, 36'610'000, -5})
            shown << PlayerControlBar::formatTime(ms);
        QCOMPARE(shown.join(u' '), u"0:00 0:00 0:59 1:01 59:59 1:00:00 10:10:10 0:00");
    }

    // A bar for a loaded clip of ten seconds, as the player sets it.
    void init()
    {
        m_bar = std::make_unique<PlayerControlBar>();
        m_bar->resize(600, 40);
        m_bar->setMediaPresent(true);
        m_bar->setSeekable(true);
        m_bar->setDuration(10'000);
        m_bar->show();
        QVERIFY(QTest::qWaitForWindowActive(m_bar.get()));
    }

    void buttonsAreNamedReachedByTabAndAskForTheirAction()
    {
        // What a screen reader is told each control is called, in the order Tab reaches them.
        auto* playPause = control<QToolButton>("playPause");
        playPause->setFocus();
        QStringList reached;
        for (int i = 0; i < 5; ++i) {
            QWidget* focused = QApplication::focusWidget();
            reached << focused->objectName() + u'=' +
                           QAccessible::queryAccessibleInterface(focused)->text(QAccessible::Name);
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        QCOMPARE(reached, QStringList({"playPause=Play", "stop=Stop", "seek=Seek", "volume=Volume",
                                       "mute=Mute"}));
        QCOMPARE(QApplication::focusWidget(), playPause);

        QSignalSpy play(m_bar.get(), &PlayerControlBar::playRequested);
        QSignalSpy pause(m_bar.get(), &PlayerControlBar::pauseRequested);
        QSignalSpy stop(m_bar.get(), &PlayerControlBar::stopRequested);
        QTest::mouseClick(playPause, Qt::LeftButton);
        m_bar->setPlaying(true);
        QCOMPARE(playPause->toolTip(), QStringLiteral("Pause")); // its name follows too
        QTest::mouseClick(playPause, Qt::LeftButton);
        QTest::mouseClick(control<QToolButton>("stop"), Qt::LeftButton);
        QCOMPARE(QList({play.size(), pause.size(), stop.size()}), QList<qsizetype>({1, 1, 1}));
    }

    void keysAndMouseSeekAndPositionsWaitWhileHeld()
    {
        auto* seek = control<QSlider>("seek");
        seek->setFocus();
        QSignalSpy seeks(m_bar.get(), &PlayerControlBar::seekRequested);
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_PageUp, Qt::Key_End, Qt::Key_Left})
            QTest::keyClick(seek, key);
        QList<qint64> asked;
        for (const QList<QVariant>& signal : seeks)
            asked << signal.at(0).toLongLong();
        QCOMPARE(asked, QList<qint64>({1000, 6000, 10'000, 9000}));
        QCOMPARE(control<QLabel>("time")->text(), QStringLiteral("0:09 / 0:10"));
        QTest::mouseClick(seek, Qt::LeftButton, {}, QPoint(4, seek->height() / 2));
        QVERIFY(seeks.size() > 4 && seeks.last().at(0).toLongLong() < 9000); // the groove too

        // The player's position moves the slider without a seek, and waits while it is held.
        seeks.clear();
        m_bar->setPosition(3000);
        QCOMPARE(seek->value(), 3000);
        QCOMPARE(control<QLabel>("time")->text(), QStringLiteral("0:03 / 0:10"));
        seek->setSliderDown(true);
        m_bar->setPosition(5000);
        QCOMPARE(seek->value(), 3000);
        QCOMPARE(seeks.size(), 0);
    }

    void volumeAndMuteAskOnlyForTheUsersChanges()
    {
        QSignalSpy volumes(m_bar.get(), &PlayerControlBar::volumeRequested);
        QSignalSpy mutes(m_bar.get(), &PlayerControlBar::muteRequested);
        m_bar->setVolume(50);
        QTest::keyClick(control<QSlider>("volume"), Qt::Key_PageUp);
        QCOMPARE(volumes, QList<QList<QVariant>>({{60}}));
        auto* mute = control<QToolButton>("mute");
        QTest::mouseClick(mute, Qt::LeftButton);
        m_bar->setMuted(false); // the player's own change is shown, not sent back as a request
        QVERIFY(!mute->isChecked());
        QCOMPARE(mutes, QList<QList<QVariant>>({{true}}));
    }
};

QTEST_MAIN(PlayerControlBarTest)
#include "tst_playercontrolbar.moc"
