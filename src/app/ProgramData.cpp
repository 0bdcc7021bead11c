#include "ProgramData.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel {

QUrl tutorialVideo(const QString& binaryDir)
{
    const QFileInfo video(QDir::cleanPath(binaryDir + QStringLiteral("/../share/vantrel")),
                          QStringLiteral(VANTREL_TUTORIAL_VIDEO));
    return video.isFile() ? QUrl::fromLocalFile(video.absoluteFilePath()) : QUrl();
}

} // namespace vantrel
