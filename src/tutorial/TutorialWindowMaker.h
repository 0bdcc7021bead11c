#pragma once

#include <QUrl>
#include <QtPlugin>
#include <functional>

class QMainWindow;

namespace vantrel {

// The tutorial window (Form2) and its media player are a library of their own, which the
// program loads when the window is first asked for: linked in, Qt Multimedia and the two
// dozen libraries it pulls in (sound, codecs, Kerberos, proxies) were loaded and relocated
// at every start-up, for a window most runs never open. This is what that library offers.
class TutorialWindowMaker
{
public:
    virtual ~TutorialWindowMaker() = default;
    // A new tutorial window for the video. It calls aboutRequested when its About command
    // is chosen and closed when it is being closed; it is released as any window is.
    virtual QMainWindow* makeTutorialWindow(const QUrl& video, std::function<void()> aboutRequested,
                                            std::function<void()> closed) = 0;
};

} // namespace vantrel

#define VantrelTutorialWindowMaker_iid "org.vantrel.Vantrel.TutorialWindowMaker/1.0"
Q_DECLARE_INTERFACE(vantrel::TutorialWindowMaker, VantrelTutorialWindowMaker_iid)
