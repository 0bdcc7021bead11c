#include "programdata/ProgramData.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel {

QUrl tutorialVideo(const QString& programDir)
{
    const QFileInfo video(
        QDir::cleanPath(programDir + QStringLiteral("/" VANTREL_DATA_FROM_PROGRAMS)),
        QStringLiteral(VANTREL_TUTORIAL_VIDEO));
    return video.isFile() ? QUrl::fromLocalFile(video.absoluteFilePath()) : QUrl();
}

QString tutorialLibrary(const QString& programDir)
{
    return QDir::cleanPath(programDir +
                           QStringLiteral("/" VANTREL_LIBRARY_FROM_PROGRAMS "/vantrel_tutorial"));
}

} // namespace vantrel
