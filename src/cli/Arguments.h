#pragma once

#include "script/ScriptComposer.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace vantrel {

// What a command line asks for:
//   vantrel [FILE]                the window, with FILE loaded
//   vantrel check [--functions LIST] FILE...   the check of each file
//   vantrel compose [OPTION]...   a script, on standard output or appended to a file
//   vantrel --help | --version
struct Arguments
{
    enum class Command
    {
        Window,
        Check,
        Compose,
        Help,
        Version,
        Error
    };

    Command command = Command::Window;
    QStringList files;              // the file to open, or the files to check
    QMap<QString, QString> options; // the command's options, by name without the dashes
    QString error;                  // one line, for Command::Error

    static Arguments parse(int argc, const char* const argv[]);
};

// Compose's options that take a name, in the order of the window's boxes, and the field
// each one fills; giving the second vehicle makes the two-vehicle script.
struct NameOption
{
    const char* name;
    std::string ScriptFields::*field;
};
inline constexpr NameOption ComposeNameOptions[] = {
    {"script-name", &ScriptFields::scriptName},
    {"trigger", &ScriptFields::triggerName},
    {"flag", &ScriptFields::flagName},
    {"vehicle", &ScriptFields::vehicleName},
    {"second-vehicle", &ScriptFields::secondVehicleName}};
inline constexpr const char* SecondVehicleOption = "second-vehicle";
// The function list that check checks calls with.
inline constexpr const char* FunctionsOption = "functions";
// The file that compose appends to.
inline constexpr const char* OutputOption = "output";

} // namespace vantrel
