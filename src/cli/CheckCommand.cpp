#include "cli/CheckCommand.h"

#include "cli/Console.h"
#include "cli/Utf16.h"
#include "files/FunctionListFile.h"
#include "files/ScriptFileStore.h"
#include "script/ScriptDeclarations.h"

#include <algorithm>

namespace vantrel {

int runCheck(const QStringList& files, Console& console, const QString& functionList)
{
    FunctionListFile functions;
    if (!functionList.isEmpty()) {
        functions = FunctionListFile::read(functionList);
        if (!functions.list) {
            console.fileError(functionList, functions.error);
            return 2;
        }
        if (const std::size_t skipped = functions.list->malformedLines())
            console.warning(QStringLiteral("%1: %2 %3 skipped, not read as functions")
                                .arg(functionList)
                                .arg(skipped)
                                .arg(skipped == 1 ? "line" : "lines"));
    }
    int status = 0;
    for (const QString& file : files) {
        ConsoleSink sink(console, file);
        const std::optional<QString> text = ScriptFileStore(sink).LoadTextFile(file);
        if (!text) {
            status = 2;
            continue;
        }
        QByteArray report;
        for (const ScriptProblem& problem :
             ReadScript(utf16(*text), functions.list.get()).problems) {
            report += QStringLiteral("%1:%2:%3: %4: %5\n")
                          .arg(file)
                          .arg(problem.line)
                          .arg(problem.column)
                          .arg(QLatin1String(SeverityWord(problem.severity)))
                          .arg(QString::fromStdString(problem.message))
                          .toLocal8Bit();
            if (problem.severity == Severity::Error)
                status = std::max(status, 1);
        }
        // Each file's report goes out before the next file's errors, so the two
        // streams read in order on a terminal.
        if (!console.write(report)) {
            console.error(QStringLiteral("standard output: could not write"));
            return 2;
        }
    }
    return status;
}

} // namespace vantrel
