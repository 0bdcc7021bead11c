// The entry point that the program finds when it loads the tutorial window's library.
#include "tutorial/Form2.h"
#include "tutorial/TutorialWindowMaker.h"

namespace vantrel {

class TutorialPlugin : public QObject, public TutorialWindowMaker
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VantrelTutorialWindowMaker_iid)
    Q_INTERFACES(vantrel::TutorialWindowMaker)

public:
    QMainWindow* makeTutorialWindow(const QUrl& video, std::function<void()> aboutRequested,
                                    std::function<void()> closed) override
    {
        auto* window = new Form2(video);
        connect(window, &Form2::aboutRequested, window, std::move(aboutRequested));
        connect(window, &Form2::closed, window, std::move(closed));
        return window;
    }
};

} // namespace vantrel

#include "TutorialPlugin.moc"
