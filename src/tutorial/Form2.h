#pragma once

#include "tutorial/vantrel_tutorial_export.h"

#include <QMainWindow>
#include <QUrl>

namespace vantrel {

class EmbeddedPlayer;

// The tutorial window: a media player at a fixed size and an About command. It knows
// nothing of the main window; whoever shows it listens to its signals.
class VANTREL_TUTORIAL_EXPORT Form2 : public QMainWindow
{
    Q_OBJECT

public:
    // The player is created with the video's location, when there is one, and starts it.
    explicit Form2(const QUrl& video = {}, QWidget* parent = nullptr);

    EmbeddedPlayer* player() const { return WindowsMediaPlayer1; }

signals:
    void aboutRequested();
    // The window is being closed; it never refuses. Its final release is QObject::destroyed.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    EmbeddedPlayer* WindowsMediaPlayer1 = nullptr;
};

} // namespace vantrel
