#pragma once

#include <QStringList>

namespace vantrel {

class Console;

// vantrel check: the structure check of each file, read as Load reads it, in the order
// given. Each problem goes to standard output as FILE:LINE:COLUMN: SEVERITY: MESSAGE, a note
// right after the error it explains; a file that cannot be read goes to standard error as
// FILE: reason, and the others are still checked. With a function list, calls of listed
// functions are checked too; a list that cannot be read or holds no functions checks
// nothing. Returns the exit status: 2 when a file could not be read, else 1 when any error
// was found, else 0.
int runCheck(const QStringList& files, Console& console, const QString& functionList = {});

} // namespace vantrel
