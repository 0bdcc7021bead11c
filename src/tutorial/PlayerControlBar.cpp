#include "tutorial/PlayerControlBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace vantrel {

namespace {

constexpr int SeekStepMs = 1000;
constexpr int SeekPageMs = 5000;

QToolButton* iconButton(QWidget* parent, const char* name, QStyle::StandardPixmap icon,
                        const QString& action)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setIcon(parent->style()->standardIcon(icon));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolTip(action);
    button->setAccessibleName(action); // the button shows an icon only
    return button;
}

QSlider* slider(QWidget* parent, const char* name, const QString& action)
{
    auto* created = new QSlider(Qt::Horizontal, parent);
    created->setObjectName(QLatin1String(name));
    created->setFocusPolicy(Qt::StrongFocus);
    created->setToolTip(action);
    created->setAccessibleName(action);
    return created;
}

} // namespace

PlayerControlBar::PlayerControlBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("controls"));
    buildControls();
    wireControls();
    setPlaying(false);
    setMediaPresent(false);
    setSeekable(false);
    showTime(0);
}

QString PlayerControlBar::formatTime(qint64 milliseconds)
{
    const qint64 seconds = std::max<qint64>(milliseconds, 0) / 1000;
    const QChar zero = QLatin1Char('0');
    const QString tail = QStringLiteral(":%1").arg(seconds % 60, 2, 10, zero);
    if (seconds < 3600)
        return QString::number(seconds / 60) + tail;
    return QStringLiteral("%1:%2").arg(seconds / 3600).arg(seconds / 60 % 60, 2, 10, zero) + tail;
}

void PlayerControlBar::buildControls()
{
    m_playPause = iconButton(this, "playPause", QStyle::SP_MediaPlay, tr("Play"));
    m_stop = iconButton(this, "stop", QStyle::SP_MediaStop, tr("Stop"));
    m_seek = slider(this, "seek", tr("Seek"));
    m_seek->setSingleStep(SeekStepMs);
    m_seek->setPageStep(SeekPageMs);
    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("time"));
    m_time->setAccessibleDescription(tr("Elapsed and total time"));
    m_volume = slider(this, "volume", tr("Volume"));
    m_volume->setRange(0, 100);
    m_volume->setPageStep(10);
    m_volume->setMaximumWidth(100);
    m_mute = iconButton(this, "mute", QStyle::SP_MediaVolume, tr("Mute"));
    m_mute->setCheckable(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 10, 6); // the window trims a few pixels off the right
    for (QWidget* control : {m_playPause, m_stop})
        row->addWidget(control);
    row->addWidget(m_seek, 1);
    for (QWidget* control : {static_cast<QWidget*>(m_time), static_cast<QWidget*>(m_volume),
                             static_cast<QWidget*>(m_mute)})
        row->addWidget(control);
}

void PlayerControlBar::wireControls()
{
    connect(m_playPause, &QToolButton::clicked, this, [this] {
        if (m_playing)
            emit pauseRequested();
        else
            emit playRequested();
    });
    connect(m_stop, &QToolButton::clicked, this, &PlayerControlBar::stopRequested);
    // Every change of the slider seeks, whether it came from a drag, a click on the groove
    // or a key; changes made by setPosition are silent.
    connect(m_seek, &QSlider::valueChanged, this, [this](int position) {
        showTime(position);
        emit seekRequested(position);
    });
    connect(m_volume, &QSlider::valueChanged, this, &PlayerControlBar::volumeRequested);
    connect(m_mute, &QToolButton::toggled, this, [this](bool muted) {
        m_mute->setIcon(
            style()->standardIcon(muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
        emit muteRequested(muted);
    });
}

void PlayerControlBar::setPlaying(bool playing)
{
    m_playing = playing;
    const QString action = playing ? tr("Pause") : tr("Play");
    m_playPause->setIcon(
        style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    m_playPause->setToolTip(action);
    m_playPause->setAccessibleName(action);
}

void PlayerControlBar::setMediaPresent(bool present)
{
    m_playPause->setEnabled(present);
    m_stop->setEnabled(present);
}

void PlayerControlBar::setSeekable(bool seekable)
{
    m_seek->setEnabled(seekable);
}

void PlayerControlBar::setDuration(qint64 milliseconds)
{
    m_duration = milliseconds;
    const QSignalBlocker silent(m_seek);
    m_seek->setRange(0, int(milliseconds));
    showTime(m_seek->value());
}

void PlayerControlBar::setPosition(qint64 milliseconds)
{
    // While the user holds the slider, the player's position would pull it back.
    if (m_seek->isSliderDown())
        return;
    const QSignalBlocker silent(m_seek);
    m_seek->setValue(int(milliseconds));
    showTime(milliseconds);
}

void PlayerControlBar::setVolume(int volume)
{
    const QSignalBlocker silent(m_volume);
    m_volume->setValue(volume);
}

void PlayerControlBar::setMuted(bool muted)
{
    if (m_mute->isChecked() == muted)
        return;
    // The icon follows; only the request back to the player is held back.
    const QSignalBlocker silent(this);
    m_mute->setChecked(muted);
}

void PlayerControlBar::showTime(qint64 position)
{
    m_time->setText(formatTime(position) + QStringLiteral(" / ") + formatTime(m_duration));
}

} // namespace vantrel
