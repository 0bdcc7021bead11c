#include "app/Application.h"

#include "app/AltKeyFilter.h"
#include "app/ProgramIcon.h"
#include "app/ProgramStyle.h"
#include "mainwindow/Form1.h"
#include "version.h"
#include "windowkit/ProgramFont.h"

#include <QApplication>

namespace vantrel {

void setUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    QApplication::setApplicationVersion(versionNumber());
    // Wayland desktops find the window's icon and name through its desktop entry.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopEntryName));
    QApplication::setStyle(new ProgramStyle);
    app.installEventFilter(new AltKeyFilter(&app));

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
