#include "Application.h"

#include "AltKeyFilter.h"
#include "Form1.h"
#include "ProgramIcon.h"
#include "ProgramStyle.h"
#include "version.h"

#include <QApplication>
#include <QFont>

namespace vantrel {

void setUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    QApplication::setApplicationVersion(versionNumber());
    QApplication::setStyle(new ProgramStyle);
    app.installEventFilter(new AltKeyFilter(&app));

    // The windows were laid out for a compact dialog font; the toolkit's default is wider
    // and would clip labels such as "Trigger Name" (65 pixels). These families share the
    // metrics the layout needs, on Linux, Windows and macOS respectively.
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("Helvetica")});
    font.setPointSizeF(7.5);
    app.setFont(font);

    QApplication::setWindowIcon(programIcon());
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
