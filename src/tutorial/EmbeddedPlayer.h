#pragma once

#include "tutorial/PlayerSettings.h"
#include "tutorial/vantrel_tutorial_export.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QWidget>

class QVideoSink;

namespace vantrel {

class PlayerControlBar;
class VideoArea;

// The tutorial window's media player: a video area above a full row of playback controls,
// on Qt Multimedia. It is created with one settings record and starts empty and idle
// unless the record names a location.
class VANTREL_TUTORIAL_EXPORT EmbeddedPlayer : public QWidget
{
    Q_OBJECT

public:
    explicit EmbeddedPlayer(const PlayerSettings& settings = {}, QWidget* parent = nullptr);

    // Gives the player its media; with autoStart, playback begins at once.
    void setSource(const QUrl& url);

    const PlayerSettings& settings() const { return m_settings; }
    QMediaPlayer* mediaPlayer() { return &m_player; }
    QAudioOutput* audioOutput() { return &m_audio; }
    QVideoSink* videoSink() const;

private:
    void buildControls();
    void buildContextMenu();
    void wirePlayer();
    void applySettings();
    void mediaStatusChanged(QMediaPlayer::MediaStatus status);

    PlayerSettings m_settings;
    VideoArea* m_video = nullptr;
    PlayerControlBar* m_controls = nullptr;
    // Members, not children: the player goes before the video widget it draws into.
    QAudioOutput m_audio;
    QMediaPlayer m_player;
};

} // namespace vantrel
