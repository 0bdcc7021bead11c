#include "script/ScriptComposer.h"

#include <string_view>
#include <vector>

namespace vantrel {
namespace {

constexpr std::string_view LineEnd = "\r\n";

std::string quoted(std::string_view value)
{
    std::string text;
    text.reserve(value.size() + 2);
    text += '"';
    text += value;
    text += '"';
    return text;
}

// One if block: test whether the vehicle is inside the trigger volume, then teleport it.
void appendIfBlock(std::vector<std::string>& lines, const ScriptFields& fields,
                   const std::string& vehicle)
{
    lines.push_back("  (if ");
    lines.push_back("   (volume_test_object " + quoted(fields.triggerName) + " " + quoted(vehicle) +
                    fields.lineCloser);
    lines.push_back("   (object_teleport " + quoted(vehicle) + " " + quoted(fields.flagName) +
                    fields.lineCloser);
    lines.push_back(fields.blockCloser);
}

} // namespace

std::string ComposeScript(const ScriptFields& fields)
{
    std::vector<std::string> lines;
    lines.push_back("(script continuous " + quoted(fields.scriptName));
    appendIfBlock(lines, fields, fields.vehicleName);
    if (fields.twoVehicles)
        appendIfBlock(lines, fields, fields.secondVehicleName);
    lines.push_back(fields.lineCloser);

    std::string script;
    for (const std::string& line : lines) {
        if (&line != &lines.front())
            script += LineEnd;
        script += line;
    }
    return script;
}

} // namespace vantrel
