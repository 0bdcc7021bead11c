#include "Application.h"

#include "Form1.h"
#include "ProgramStyle.h"
#include "version.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

namespace vantrel {

void setUpApplication(QApplication& app)
{
    QApplication::setApplicationName(QString::fromLatin1(ProgramTitle));
    QApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision));
    QApplication::setStyle(new ProgramStyle);

    // The windows were laid out for a compact dialog font; the toolkit's default is wider
    // and would clip labels such as "Trigger Name" (65 pixels). These families share the
    // metrics the layout needs, on Linux, Windows and macOS respectively.
    QFont font(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("Helvetica")});
    font.setPointSizeF(7.5);
    app.setFont(font);

    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/vantrel-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);
    QApplication::setQuitOnLastWindowClosed(true);
}

int runProgram(QApplication& app)
{
    Form1 mainWindow;
    mainWindow.show();
    return app.exec();
}

} // namespace vantrel
