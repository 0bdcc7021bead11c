#include "Form1Layout.h"

#include <array>

namespace vantrel {

namespace {
using K = ControlKind;

// Right-hand column from top to bottom, then the left column.
constexpr std::array<ControlSpec, 19> Controls{{
    {"Label1", K::Label, "Script Name", true, {4800, 360, 1815, 375}, 1},
    {"txtscriptname", K::TextBox, "Vehicle_Tele", true, {6000, 360, 2775, 285}, 2},
    {"Label2", K::Label, "Trigger Name", true, {4800, 840, 975, 255}, 3},
    {"txttrigger", K::TextBox, "Enter", true, {6000, 840, 2775, 285}, 4},
    {"Label3", K::Label, "Flag Name", true, {4800, 1320, 975, 255}, 5},
    {"txtflag", K::TextBox, "Exit", true, {6000, 1320, 2775, 285}, 6},
    {"Label4", K::Label, "Vehicle Name", true, {4800, 1800, 1455, 255}, 7},
    {"txtvehic", K::TextBox, "Warthog_name", true, {6000, 1800, 2775, 285}, 8},
    {"Label6", K::Label, "Second Vehicle", false, {4800, 2280, 1575, 255}, 15},
    {"txtvehic2", K::TextBox, "Scorpion_Name", false, {6000, 2280, 2775, 285}, 14},
    {"Check1", K::CheckBox, "Check1", true, {6480, 2640, 135, 195}, 16},
    {"Label5", K::Label, "2 Vehicles", true, {6720, 2640, 2055, 255}, 13},
    {"cmdcmpl", K::Button, "Compile", true, {5880, 3360, 2295, 375}, 9},
    {"cmdsave", K::Button, "Save Script", true, {5880, 3840, 2295, 375}, 12},
    {"cmdload", K::Button, "Load Script For Editiing", true, {5880, 4320, 2295, 375}, 17},
    {"txtclos1", K::TextBox, "  )", false, {6840, 5880, 1455, 375}, 11},
    {"txtclose", K::TextBox, " )", false, {6840, 6360, 1455, 375}, 10},
    {"Txt1", K::Editor, "", true, {240, 240, 4455, 5175}, 0},
    {"Text1", K::Notes, "", true, {240, 5640, 4455, 855}, 18},
}};
} // namespace

std::span<const ControlSpec> form1Controls()
{
    return Controls;
}

} // namespace vantrel
