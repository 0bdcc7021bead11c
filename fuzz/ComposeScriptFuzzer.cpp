// Any field values give a script of six or ten lines: checked through its length, its
// CR LF pairs and its ends, which follow from the fields without composing anything.
#include "FuzzCheck.h"
#include "script/ScriptComposer.h"

#include <cstddef>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string_view>

using vantrel::ComposeScript;
using vantrel::ScriptFields;

namespace {

// The fixed text around the fields: the header with its quotes, and one if block with
// its two quoted pairs and the separating spaces.
constexpr std::string_view Header = "(script continuous \"\"";
constexpr std::string_view IfBlock = "  (if "
                                     "   (volume_test_object \"\" \"\""
                                     "   (object_teleport \"\" \"\"";
constexpr std::string_view LineEnd = "\r\n";

size_t lineEndsIn(std::string_view text)
{
    size_t count = 0;
    for (size_t at = text.find(LineEnd); at != text.npos; at = text.find(LineEnd, at + 2))
        ++count;
    return count;
}

struct Uses
{
    size_t blocks, lines;
};

Uses usesOf(const ScriptFields& f)
{
    const size_t blocks = f.twoVehicles ? 2 : 1;
    return {blocks, 2 + 4 * blocks};
}

// Each field appears once per use; the name of a vehicle twice in its block, the line
// closer after both tests of each block and as the last line.
template <class Measure> size_t sumOverFields(const ScriptFields& f, Measure measure)
{
    const size_t blocks = usesOf(f).blocks;
    return measure(f.scriptName) + blocks * (measure(f.triggerName) + measure(f.flagName)) +
           2 * measure(f.vehicleName) + (f.twoVehicles ? 2 * measure(f.secondVehicleName) : 0) +
           (2 * blocks + 1) * measure(f.lineCloser) + blocks * measure(f.blockCloser);
}

ScriptFields fieldsFrom(FuzzedDataProvider& input)
{
    ScriptFields f;
    f.twoVehicles = input.ConsumeBool();
    for (std::string* field : {&f.scriptName, &f.triggerName, &f.flagName, &f.vehicleName,
                               &f.secondVehicleName, &f.lineCloser, &f.blockCloser})
        *field = input.ConsumeRandomLengthString();
    return f;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    ScriptFields fields = fieldsFrom(input);
    const std::string script = ComposeScript(fields);
    const Uses uses = usesOf(fields);

    const size_t fixed =
        Header.size() + uses.blocks * IfBlock.size() + (uses.lines - 1) * LineEnd.size();
    require(script.size() ==
                fixed + sumOverFields(fields, [](std::string_view v) { return v.size(); }),
            "the script is the fixed text plus each field once per use");
    // No fixed text ends in CR or starts with LF, so no pair forms across a field's edge.
    require(lineEndsIn(script) == uses.lines - 1 + sumOverFields(fields, lineEndsIn),
            "six or ten lines, plus the line ends that the fields bring");
    require(script.starts_with("(script continuous \"" + fields.scriptName + "\"\r\n"),
            "the header comes first");
    require(script.ends_with("\r\n" + fields.lineCloser), "the line closer ends the script");

    if (!fields.twoVehicles) {
        fields.secondVehicleName += 'x';
        require(ComposeScript(fields) == script, "one vehicle ignores the second name");
    }
    return 0;
}
