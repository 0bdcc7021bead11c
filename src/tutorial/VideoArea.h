#pragma once

#include <QWidget>

class QLabel;
class QVideoSink;
class QVideoWidget;

namespace vantrel {

// The player's picture: black, with the video placed in the middle at its own size (or
// stretched to fill, keeping its shape, when asked), and room for an error text.
class VideoArea : public QWidget
{
    Q_OBJECT

public:
    explicit VideoArea(QWidget* parent = nullptr);

    QVideoWidget* videoWidget() const { return m_video; }
    QVideoSink* videoSink() const;
    void setStretchToFit(bool stretch);
    void showError(const QString& text);
    void clearError();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void takeVideoSize();
    void placeVideo();

    QVideoWidget* m_video = nullptr;
    QLabel* m_error = nullptr;
    QSize m_videoSize;
    bool m_stretch = false;
};

} // namespace vantrel
