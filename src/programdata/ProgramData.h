#pragma once

#include <QString>
#include <QUrl>

namespace vantrel {

// The shipped video tutorial, or an empty location when it is missing. The program's data
// folder lies at a fixed path from the folder of the window program, made from the install
// layout when the build is configured; the build tree keeps the same layout, so no
// absolute path is baked in.
QUrl tutorialVideo(const QString& programDir);

// The tutorial window's library, in the program's library folder, found the same way from
// the window program's folder; named without the platform's prefix and suffix.
QString tutorialLibrary(const QString& programDir);

} // namespace vantrel
