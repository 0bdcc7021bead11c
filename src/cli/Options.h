#pragma once

#include "script/ScriptComposer.h"

#include <QString>
#include <QStringView>
#include <string_view>

namespace vantrel {

// Which words an option may stand among.
enum class OptionScope
{
    Compose,    // compose's
    Check,      // check's
    AnyCommand, // any command's, and the program's own
    Program,    // the program's own, without a command
};

// One option of the command line. The parser, --help and the manual page all read this
// table, so that none of them can leave an option out.
struct Option
{
    std::string_view name;  // without its two dashes
    char letter;            // its one-letter form, or 0
    std::string_view value; // what its value is, in --help and the manual; empty for a switch
    OptionScope scope;
    std::string ScriptFields::*field; // the name that a compose option sets, or null
    // Its text in --help: a line end there starts an indented line. "%1" stands for the
    // default of the field.
    std::string_view help;
    // Its paragraph in the manual page, in roff; "%1" as in help.
    std::string_view manual;
};

inline constexpr std::string_view SecondVehicleOption = "second-vehicle";
inline constexpr std::string_view OutputOption = "output";
inline constexpr std::string_view FunctionsOption = "functions";
inline constexpr std::string_view HelpOption = "help";
inline constexpr std::string_view VersionOption = "version";

// Compose's options first, the names in the order of the window's boxes; giving the second
// vehicle makes the two-vehicle script.
inline constexpr Option Options[] = {
    {"script-name", 0, "NAME", OptionScope::Compose, &ScriptFields::scriptName,
     "the script's name (%1)", "The script's name (default: %1)."},
    {"trigger", 0, "NAME", OptionScope::Compose, &ScriptFields::triggerName,
     "the trigger volume (%1)", "The trigger volume (default: %1)."},
    {"flag", 0, "NAME", OptionScope::Compose, &ScriptFields::flagName,
     "the flag the vehicles are teleported to (%1)",
     "The flag the vehicles are teleported to (default: %1)."},
    {"vehicle", 0, "NAME", OptionScope::Compose, &ScriptFields::vehicleName, "the vehicle (%1)",
     "The vehicle (default: %1)."},
    {SecondVehicleOption, 0, "NAME", OptionScope::Compose, &ScriptFields::secondVehicleName,
     "a second vehicle: makes the two-vehicle script",
     "A second vehicle; giving it composes the two\\-vehicle script."},
    {OutputOption, 0, "FILE", OptionScope::Compose, nullptr,
     "append the script and a CR LF to FILE, as Save\n"
     "does, instead; no \".hsc\" is added",
     "Appends the script and a CR LF to exactly\n"
     ".IR FILE ,\n"
     "as Save does: the file is created when absent, never replaced, and flushed to\n"
     "disk; when the write fails it is left as it was.\n"
     "A file that does not end with a line end first gets one, of the kind its last\n"
     "line end is (CR LF when it has none), so the script starts on a line of its own.\n"
     "No\n"
     ".I .hsc\n"
     "is added to the name."},
    {FunctionsOption, 0, "LIST", OptionScope::Check, nullptr,
     "also check each call of a function in LIST, the\n"
     "function list the game's tools write, for too few\n"
     "or too many arguments",
     "Of\n"
     ".BR check :\n"
     "also checks each call of a function in\n"
     ".IR LIST ,\n"
     "the list of functions that the game's editing tools write (its first line is\n"
     ".BR \"; AVAILABLE FUNCTIONS:\" ):\n"
     "a call with too few or too many arguments is an error, for example\n"
     ".BR \"object_teleport takes 2 arguments, found 1\" ,\n"
     "at the call's\n"
     ".BR ( .\n"
     "A name listed twice takes either count; a parameter marked\n"
     ".B (s)\n"
     "takes any number.\n"
     "The language's own forms\n"
     ".RB ( begin \", \" if \", \" cond \", \" set \", \" sleep_until \", \" script \", ...)\"\n"
     "follow its own rules, and a name not in the list is never a problem.\n"
     "Lines of the list that cannot be read are skipped, with a warning; a list\n"
     "that cannot be read or holds no functions stops the command with status 2.\n"
     "The window finds such a list by itself: the first\n"
     ".I .txt\n"
     "file, by name, whose first line is the list's, beside the loaded script or in a\n"
     "folder above it; the editor's context menu names the list in use and picks\n"
     "another with \"Use Function List\\[u2026]\" for the rest of the run."},
    {HelpOption, 'h', "", OptionScope::AnyCommand, nullptr, "show this help",
     "Lists the commands and options."},
    {VersionOption, 0, "", OptionScope::Program, nullptr, "show the program's name and version",
     "Prints the program's name and version."},
};

// An option's name, as Qt compares it: the names are ASCII.
inline QLatin1StringView latin1(std::string_view name)
{
    return QLatin1StringView(name.data(), qsizetype(name.size()));
}

// The option spelled so ("--name" or "-x", without any "=VALUE") that may stand among the
// words of this scope, or null.
const Option* findOption(QStringView spelled, OptionScope scope);

// The lines of --help for the options of these scopes, in one column for all options.
QString optionsHelp(std::initializer_list<OptionScope> scopes);

// The manual page's parts: a command's options for its synopsis, and the entries of its
// OPTIONS section.
QString manualSynopsis(OptionScope scope);
QString manualOptions();

} // namespace vantrel
