#include "files/FunctionListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vantrel {

FunctionListFile FunctionListFile::read(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return {nullptr, QFileInfo(path).isDir() ? QStringLiteral("is a folder, not a file")
                                                 : file.errorString()};
    // Straight into the string the list keeps: no second copy of the bytes.
    std::string text(std::size_t(file.size()), '\0');
    const qint64 read = file.read(text.data(), qint64(text.size()));
    if (read < 0 || !file.atEnd())
        return {nullptr, file.errorString()};
    text.resize(std::size_t(read));
    auto list = std::make_shared<const FunctionList>(FunctionList::Read(std::move(text)));
    if (list->functions().empty())
        return {nullptr, QStringLiteral("holds no functions")};
    return {std::move(list), {}};
}

bool FunctionListFile::startsLikeAList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray first = file.read(FunctionListFirstLine.size() + 2);
    const QByteArray expected(FunctionListFirstLine.data(),
                              qsizetype(FunctionListFirstLine.size()));
    return first.startsWith(expected) &&
           (first.size() == expected.size() || first[expected.size()] == '\r' ||
            first[expected.size()] == '\n');
}

QString FunctionListFile::findFor(const QString& scriptPath)
{
    QDir folder = QFileInfo(scriptPath).absoluteDir();
    do {
        for (const QString& name :
             folder.entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Readable, QDir::Name))
            if (startsLikeAList(folder.filePath(name)))
                return folder.filePath(name);
    } while (folder.cdUp());
    return {};
}

} // namespace vantrel
