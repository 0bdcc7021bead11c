#include "cli/CommandLine.h"

#include "cli/Arguments.h"
#include "cli/CheckCommand.h"
#include "cli/ComposeCommand.h"
#include "cli/Console.h"
#include "cli/Options.h"
#include "version.h"

#include <QCoreApplication>

namespace vantrel {
namespace {

QString helpText(const QString& program)
{
    return QStringLiteral(
               "Usage: %1 [FILE]\n"
               "       %1 check [--functions LIST] FILE...\n"
               "       %1 compose [OPTION]...\n"
               "       %1 --help | --version\n"
               "\n"
               "Without a command, opens the window, with FILE loaded into the editor as\n"
               "Load does.\n"
               "\n"
               "Commands, which need no window and no display:\n"
               "  check FILE...        Check the structure and the declarations of each script\n"
               "                       file. Each problem is one line: FILE:LINE:COLUMN:\n"
               "                       error: MESSAGE, or warning: or note: in its place.\n"
               "                       Errors: a parenthesis, string or block comment left\n"
               "                       open or closing nothing; an unknown script type; a\n"
               "                       script without a name or named begin, if or cond; a\n"
               "                       global without exactly a type, a name and one value;\n"
               "                       a script or global name declared twice (a stub\n"
               "                       replaced by a static is no repeat). Warnings: an\n"
               "                       empty form (), text outside every form. A note: a\n"
               "                       file in the C-like dialect, which is not checked.\n"
               "                       A bracket error may be followed by a note: line\n"
               "                       where the indentation says it was most likely made.\n"
               "  compose [OPTION]...  Write the script that Compile writes for these names\n"
               "                       to standard output, with no line end after it.\n"
               "\n"
               "Options of check:\n")
               .arg(program) +
           optionsHelp({OptionScope::Check}) +
           QStringLiteral("\nOptions of compose; a name left out takes the window's default:\n") +
           optionsHelp({OptionScope::Compose}) + u'\n' +
           optionsHelp({OptionScope::AnyCommand, OptionScope::Program}) +
           QStringLiteral(
               "\n"
               "Exit status: 0 when all went well; 1 when check found an error or compose\n"
               "failed; 2 when check could not read a file or the function list, or the\n"
               "command line was wrong.\n");
}

QString versionText()
{
    return QLatin1StringView(ProgramTitle) + u' ' + versionNumber() + u'\n';
}

int usageError(Console& console, const QString& error)
{
    console.error(error);
    console.line(
        QStringLiteral("Try '%1 --help' for more information.").arg(console.programName()));
    return 2;
}

int printed(Console& console, const QString& text)
{
    return console.write(text.toLocal8Bit()) ? 0 : 1;
}

} // namespace

int runCommandLine(int argc, char* argv[], const WindowProgram& window)
{
    const Arguments arguments = Arguments::parse(programWords(argc, argv).mid(1));
    using Command = Arguments::Command;
    if (arguments.command == Command::Window && window)
        return window(arguments.files.isEmpty() ? std::nullopt
                                                : std::optional(arguments.files.first()));

    QCoreApplication application(argc, argv);
    Console console(argv[0]);
    switch (arguments.command) {
    case Command::Window:
        return usageError(console, QStringLiteral("this program opens no window"));
    case Command::Help:
        return printed(console, helpText(console.programName()));
    case Command::Version:
        return printed(console, versionText());
    case Command::Error:
        return usageError(console, arguments.error);
    case Command::Check:
        return runCheck(arguments.files, console, arguments.options.value(latin1(FunctionsOption)));
    case Command::Compose:
        return runCompose(arguments.options, console);
    }
    Q_UNREACHABLE();
    return 2;
}

} // namespace vantrel
