#include "tutorial/VideoArea.h"

#include "windowkit/ProgramColours.h"

#include <QLabel>
#include <QVideoSink>
#include <QVideoWidget>

namespace vantrel {

VideoArea::VideoArea(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("videoArea"));
    setColours(this, {{QPalette::Window, ProgramColours::VideoBackground},
                      {QPalette::WindowText, ProgramColours::Text}});
    setAutoFillBackground(true);

    m_video = new QVideoWidget(this);
    m_video->setObjectName(QStringLiteral("video"));
    m_video->hide();
    m_error = new QLabel(this);
    m_error->setObjectName(QStringLiteral("errorText"));
    m_error->setAlignment(Qt::AlignCenter);
    m_error->setWordWrap(true);
    m_error->hide();

    // Queued on purpose: Qt 6.4's sink announces a new size while it still holds the lock
    // that videoSize() takes, so reading it from a direct call never returns.
    connect(videoSink(), &QVideoSink::videoSizeChanged, this, &VideoArea::takeVideoSize,
            Qt::QueuedConnection);
}

QVideoSink* VideoArea::videoSink() const
{
    return m_video->videoSink();
}

void VideoArea::setStretchToFit(bool stretch)
{
    m_stretch = stretch;
    placeVideo();
}

void VideoArea::showError(const QString& text)
{
    m_error->setText(text);
    m_error->show();
    m_video->hide(); // the video is drawn in a window of its own, which would cover the text
}

void VideoArea::clearError()
{
    m_error->hide();
    m_error->clear();
    placeVideo();
}

void VideoArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_error->setGeometry(rect().adjusted(12, 12, -12, -12));
    placeVideo();
}

void VideoArea::takeVideoSize()
{
    m_videoSize = videoSink()->videoSize();
    placeVideo();
}

void VideoArea::placeVideo()
{
    if (m_videoSize.isEmpty() || m_error->isVisible()) {
        m_video->hide();
        return;
    }
    // A video larger than the area is shrunk to fit, never cropped; a smaller one is only
    // enlarged when stretching was asked for.
    QSize shown = m_videoSize;
    if (m_stretch || shown.width() > width() || shown.height() > height())
        shown = m_videoSize.scaled(size(), Qt::KeepAspectRatio);
    QRect placed(QPoint(), shown);
    placed.moveCenter(rect().center());
    m_video->setGeometry(placed);
    m_video->show();
}

} // namespace vantrel
