#include "ProgramData.h"

#include <QDir>
#include <QFileInfo>

namespace vantrel {

QString programDataDir(const QString& binaryDir)
{
    return QDir::cleanPath(binaryDir + QStringLiteral("/../share/vantrel"));
}

QString findProgramData(const QString& fileName, const QString& binaryDir)
{
    const QFileInfo file(QDir(programDataDir(binaryDir)), fileName);
    return file.isFile() ? file.absoluteFilePath() : QString();
}

QUrl tutorialVideo(const QString& binaryDir)
{
    const QString path = findProgramData(QStringLiteral(VANTREL_TUTORIAL_VIDEO), binaryDir);
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

} // namespace vantrel
