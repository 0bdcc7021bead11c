#pragma once

#include <QString>
#include <QUrl>

namespace vantrel {

// The shipped video tutorial, or an empty location when it is missing. The program's data
// folder lies beside its binary, as `share/vantrel` next to `bin`, both in an installed tree
// and in the build tree, so no absolute path is baked in.
QUrl tutorialVideo(const QString& binaryDir);

// The tutorial window's library, in the program's library folder beside its binary
// (`lib/vantrel` next to `bin`), named without the platform's prefix and suffix.
QString tutorialLibrary(const QString& binaryDir);

} // namespace vantrel
