#include "tutorial/Form2.h"

#include "tutorial/EmbeddedPlayer.h"
#include "windowkit/Twips.h"

#include <QCloseEvent>
#include <QMenuBar>

namespace vantrel {

namespace {
constexpr QSize ClientSize = twipsToPixels(11340, 8145);
constexpr QRect PlayerTwips{0, 0, 11415, 8175};
} // namespace

Form2::Form2(const QUrl& video, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Form2"));

    // The player is a little larger than the client area and keeps its size whatever the
    // window's: enlarging shows the window's background beyond it, shrinking clips it.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    PlayerSettings settings;
    settings.url = video;
    WindowsMediaPlayer1 =
        place(new EmbeddedPlayer(settings, client), "WindowsMediaPlayer1", PlayerTwips);
    WindowsMediaPlayer1->setFixedSize(WindowsMediaPlayer1->size());

    QAction* about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("about1"));
    connect(about, &QAction::triggered, this, &Form2::aboutRequested);

    resize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
}

void Form2::closeEvent(QCloseEvent* event)
{
    emit closed();
    event->accept();
}

} // namespace vantrel
