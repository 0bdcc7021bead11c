#include "tutorial/EmbeddedPlayer.h"

#include "tutorial/PlayerControlBar.h"
#include "tutorial/VideoArea.h"

#include <QAction>
#include <QVBoxLayout>
#include <QVideoWidget>
#include <algorithm>

namespace vantrel {

EmbeddedPlayer::EmbeddedPlayer(const PlayerSettings& settings, QWidget* parent)
    : QWidget(parent), m_settings(settings)
{
    buildControls();
    buildContextMenu();
    wirePlayer();
    applySettings();
}

void EmbeddedPlayer::setSource(const QUrl& url)
{
    m_video->clearError();
    m_player.setSource(url);
    m_controls->setMediaPresent(!url.isEmpty());
    if (m_settings.autoStart && !url.isEmpty())
        m_player.play();
}

QVideoSink* EmbeddedPlayer::videoSink() const
{
    return m_video->videoSink();
}

void EmbeddedPlayer::buildControls()
{
    m_video = new VideoArea(this);
    m_controls = new PlayerControlBar(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_video, 1);
    column->addWidget(m_controls);
}

void EmbeddedPlayer::buildContextMenu()
{
    const auto command = [this](const char* name, const QString& text, auto slot) {
        auto* action = new QAction(text, this);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, &m_player, slot);
        addAction(action);
        return action;
    };
    command("actionPlay", tr("Play"), &QMediaPlayer::play);
    command("actionPause", tr("Pause"), &QMediaPlayer::pause);
    command("actionStop", tr("Stop"), &QMediaPlayer::stop);
    auto* mute = new QAction(tr("Mute"), this);
    mute->setObjectName(QStringLiteral("actionMute"));
    mute->setCheckable(true);
    connect(mute, &QAction::toggled, &m_audio, &QAudioOutput::setMuted);
    connect(&m_audio, &QAudioOutput::mutedChanged, mute, &QAction::setChecked);
    addAction(mute);
}

void EmbeddedPlayer::wirePlayer()
{
    m_player.setAudioOutput(&m_audio);
    m_player.setVideoOutput(m_video->videoWidget());

    connect(m_controls, &PlayerControlBar::playRequested, &m_player, &QMediaPlayer::play);
    connect(m_controls, &PlayerControlBar::pauseRequested, &m_player, &QMediaPlayer::pause);
    connect(m_controls, &PlayerControlBar::stopRequested, &m_player, &QMediaPlayer::stop);
    connect(m_controls, &PlayerControlBar::seekRequested, &m_player, &QMediaPlayer::setPosition);
    connect(m_controls, &PlayerControlBar::volumeRequested, &m_audio,
            [this](int volume) { m_audio.setVolume(float(volume) / 100.0F); });
    connect(m_controls, &PlayerControlBar::muteRequested, &m_audio, &QAudioOutput::setMuted);

    connect(&m_player, &QMediaPlayer::playbackStateChanged, m_controls,
            [this](QMediaPlayer::PlaybackState state) {
                m_controls->setPlaying(state == QMediaPlayer::PlayingState);
            });
    connect(&m_player, &QMediaPlayer::durationChanged, m_controls, &PlayerControlBar::setDuration);
    connect(&m_player, &QMediaPlayer::positionChanged, m_controls, &PlayerControlBar::setPosition);
    connect(&m_player, &QMediaPlayer::seekableChanged, m_controls, &PlayerControlBar::setSeekable);
    connect(&m_audio, &QAudioOutput::mutedChanged, m_controls, &PlayerControlBar::setMuted);
    connect(&m_player, &QMediaPlayer::mediaStatusChanged, this,
            &EmbeddedPlayer::mediaStatusChanged);
    // No dialog: what went wrong is written where the picture would be.
    connect(&m_player, &QMediaPlayer::errorOccurred, m_video,
            [this](QMediaPlayer::Error, const QString& text) { m_video->showError(text); });
}

void EmbeddedPlayer::applySettings()
{
    m_player.setLoops(std::max(m_settings.playCount, 1));
    m_audio.setVolume(float(std::clamp(m_settings.volume, 0, 100)) / 100.0F);
    m_audio.setMuted(m_settings.mute);
    m_controls->setVolume(m_settings.volume);
    m_controls->setMuted(m_settings.mute);
    m_video->setStretchToFit(m_settings.stretchToFit);
    setContextMenuPolicy(m_settings.enableContextMenu ? Qt::ActionsContextMenu : Qt::NoContextMenu);
    setEnabled(m_settings.enabled);
    if (!m_settings.url.isEmpty())
        setSource(m_settings.url);
}

void EmbeddedPlayer::mediaStatusChanged(QMediaPlayer::MediaStatus status)
{
    // The backend ignores a rate that is set before the media is buffered.
    if (status == QMediaPlayer::BufferedMedia)
        m_player.setPlaybackRate(m_settings.rate);
}

} // namespace vantrel
