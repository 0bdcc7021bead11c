#pragma once

#include "tutorial/vantrel_tutorial_export.h"

#include <QWidget>

class QLabel;
class QSlider;
class QToolButton;

namespace vantrel {

// The player's row of controls. It holds no player of its own: the user's commands go out
// as signals, and the player's state comes in through the setters, so it can be tested
// without any media.
class VANTREL_TUTORIAL_EXPORT PlayerControlBar : public QWidget
{
    Q_OBJECT

public:
    explicit PlayerControlBar(QWidget* parent = nullptr);

    void setPlaying(bool playing);
    void setMediaPresent(bool present);
    void setSeekable(bool seekable);
    void setDuration(qint64 milliseconds);
    void setPosition(qint64 milliseconds);
    void setVolume(int volume);
    void setMuted(bool muted);

    static QString formatTime(qint64 milliseconds);

signals:
    void playRequested();
    void pauseRequested();
    void stopRequested();
    void seekRequested(qint64 milliseconds);
    void volumeRequested(int volume);
    void muteRequested(bool muted);

private:
    void buildControls();
    void wireControls();
    void showTime(qint64 position);

    QToolButton* m_playPause = nullptr;
    QToolButton* m_stop = nullptr;
    QSlider* m_seek = nullptr;
    QLabel* m_time = nullptr;
    QSlider* m_volume = nullptr;
    QToolButton* m_mute = nullptr;
    bool m_playing = false;
    qint64 m_duration = 0;
};

} // namespace vantrel
