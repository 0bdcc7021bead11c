#pragma once

#include <QString>
#include <QUrl>

namespace vantrel {

// The program's data folder lies beside its binary, as `share/vantrel` next to `bin`, both
// in an installed tree and in the build tree, so no absolute path is baked in.
QString programDataDir(const QString& binaryDir);

// The full path of a file in the data folder, or the empty string when it is not there.
QString findProgramData(const QString& fileName, const QString& binaryDir);

// The shipped video tutorial, or an empty location when it is missing.
QUrl tutorialVideo(const QString& binaryDir);

} // namespace vantrel
