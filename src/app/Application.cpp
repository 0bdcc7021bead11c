#include "app/Application.h"

#include "app/ProgramIcon.h"
#include "app/ProgramKeys.h"
#include "app/ProgramStyle.h"
#include "mainwindow/Form1.h"
#include "version.h"
#include "windowkit/ProgramFont.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace vantrel {
namespace {

const char* startedAs = "vantrel";
QtMessageHandler qtHandler = nullptr;

void sayNoDisplay()
{
    const char* slash = std::strrchr(startedAs, '/');
    std::fprintf(stderr,
                 "%s: no display could be opened for the window; check and compose need none\n",
                 slash ? slash + 1 : startedAs);
}

// Qt ends the program when its platform finds no display to open: say why instead.
void fatalMeansNoDisplay(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type != QtFatalMsg)
        return qtHandler(type, context, text);
    sayNoDisplay();
    std::_Exit(1);
}

// On X11 and Wayland systems Qt needs a display named in the environment, unless a platform
// of its own is asked for (offscreen, say).
bool displayNamed()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

} // namespace

std::unique_ptr<QApplication> openApplication(int& argc, char* argv[])
{
    if (argc > 0)
        startedAs = argv[0];
    if (!displayNamed()) {
        sayNoDisplay();
        return nullptr;
    }
    // A display named but out of reach (a closed forwarding, say) fails inside Qt.
    qtHandler = qInstallMessageHandler(fatalMeansNoDisplay);
    auto app = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(qtHandler);
    return app;
}

void setUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    QApplication::setApplicationVersion(versionNumber());
    // Wayland desktops find the window's icon and name through its desktop entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopEntryName));
    QApplication::setStyle(new ProgramStyle);
    app.installEventFilter(new ProgramKeys(&app));

    app.setFont(programFont());

    setProgramIconAfterFirstPaint(app);
    QApplication::setQuitOnLastWindowClosed(true);
}

int runProgram(QApplication& app, const std::optional<QString>& file)
{
    Form1 mainWindow;
    mainWindow.show();
    // Shown first, so that a failure's message box stands over the window; the text is in
    // before the first paint.
    if (file)
        mainWindow.openScript(*file);
    return app.exec();
}

} // namespace vantrel
