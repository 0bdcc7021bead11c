#include "cli/CommandLine.h"

#include "cli/Arguments.h"
#include "cli/CheckCommand.h"
#include "cli/ComposeCommand.h"
#include "cli/Console.h"
#include "version.h"

#include <QCoreApplication>

namespace vantrel {
namespace {

QString helpText(const QString& program)
{
    const ScriptFields defaults;
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
               "  check FILE...        Check the structure of each script file. Each problem\n"
               "                       is one line: FILE:LINE:COLUMN: error: MESSAGE.\n"
               "    --functions LIST   also check each call of a function in LIST, the\n"
               "                       function list the game's tools write, for too few\n"
               "                       or too many arguments\n"
               "  compose [OPTION]...  Write the script that Compile writes for these names\n"
               "                       to standard output, with no line end after it.\n"
               "\n"
               "Options of compose; a name left out takes the window's default:\n"
               "  --script-name NAME     the script's name (%2)\n"
               "  --trigger NAME         the trigger volume (%3)\n"
               "  --flag NAME            the flag the vehicles are teleported to (%4)\n"
               "  --vehicle NAME         the vehicle (%5)\n"
               "  --second-vehicle NAME  a second vehicle: makes the two-vehicle script\n"
               "  --output FILE          append the script and a CR LF to FILE, as Save\n"
               "                         does, instead; no \".hsc\" is added\n"
               "\n"
               "  -h, --help             show this help\n"
               "  --version              show the program's name and version\n"
               "\n"
               "Exit status: 0 when all went well; 1 when check found a problem or compose\n"
               "failed; 2 when check could not read a file or the function list, or the\n"
               "command line was wrong.\n")
        .arg(program, QString::fromStdString(defaults.scriptName),
             QString::fromStdString(defaults.triggerName),
             QString::fromStdString(defaults.flagName),
             QString::fromStdString(defaults.vehicleName));
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
    const Arguments arguments = Arguments::parse(argc, argv);
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
        return runCheck(arguments.files, console, arguments.options.value(FunctionsOption));
    case Command::Compose:
        return runCompose(arguments.options, console);
    }
    Q_UNREACHABLE();
    return 2;
}

} // namespace vantrel
