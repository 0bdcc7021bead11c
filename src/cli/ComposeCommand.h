#pragma once

#include <QMap>
#include <QString>

namespace vantrel {

class Console;

// vantrel compose: the script that Compile writes for the names given, each name left out
// taking the window's default; a second vehicle makes it the two-vehicle script. Writes
// its exact bytes to standard output, or appends them and CR LF to the output file as
// Save does. Returns the exit status: 0, or 1 after a failure, when nothing is written.
int runCompose(const QMap<QString, QString>& options, Console& console);

} // namespace vantrel
