#include "programdata/ProgramData.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel {

QUrl tutorialVideo(const QString& binaryDir)
{
    const QFileInfo video(QDir::cleanPath(binaryDir + QStringLiteral("/../share/vantrel")),
                          QStringLiteral(VANTREL_TUTORIAL_VIDEO));
    return video.isFile() ? QUrl::fromLocalFile(video.absoluteFilePath()) : QUrl();
}

QString tutorialLibrary(const QString& binaryDir)
{
    return QDir::cleanPath(binaryDir +
                           QStringLiteral("/../" VANTREL_LIBRARY_DIR "/vantrel_tutorial"));
}

} // namespace vantrel
