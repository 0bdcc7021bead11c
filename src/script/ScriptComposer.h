#pragma once

#include <string>

namespace vantrel {

// The names that one press of Compile reads from the main window. Every value is used
// exactly as it stands: nothing is trimmed, checked or escaped.
struct ScriptFields
{
    std::string scriptName = "Vehicle_Tele";
    std::string triggerName = "Enter";
    std::string flagName = "Exit";
    std::string vehicleName = "Warthog_name";
    std::string secondVehicleName = "Scorpion_Name";
    std::string lineCloser = " )";
    std::string blockCloser = "  )";
    bool twoVehicles = false;
};

// The teleport script for the fields: lines joined by CR LF, no line end after the last.
// The values are copied byte for byte, so UTF-8 or 8-bit text passes through unchanged.
std::string ComposeScript(const ScriptFields& fields);

} // namespace vantrel
