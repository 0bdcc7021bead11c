#pragma once

#include "script/FunctionList.h"

#include <QString>
#include <memory>

namespace vantrel {

// A function list read from its file; on a failure no list and a one-line reason.
struct FunctionListFile
{
    std::shared_ptr<const FunctionList> list;
    QString error; // "holds no functions", or why the file could not be read

    static FunctionListFile read(const QString& path);
    // The list that goes with a script: the first `.txt` file, by name, whose first line is
    // the list's own, beside the script or else in the nearest folder above it. Empty when
    // there is none up to the root.
    static QString findFor(const QString& scriptPath);
    static bool startsLikeAList(const QString& path);
};

} // namespace vantrel
