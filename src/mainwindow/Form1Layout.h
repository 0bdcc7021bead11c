#pragma once

#include "script/ScriptComposer.h"

#include <QRect>
#include <array>
#include <string>

namespace vantrel {

// One control of the main window as designed.
struct ControlSpec
{
    const char* name;
    const char* caption; // a label's, a button's or the check box's text
    // An input box: the ScriptFields value it holds, whose default is the box's first text.
    std::string ScriptFields::*field;
    bool visibleAtStart;
    QRect twips; // left, top, width, height in the client area
    int tabIndex;
};

// The main window's controls, one row each; Form1 makes each from its row.
namespace form1 {
using F = ScriptFields;
// clang-format off
constexpr ControlSpec Label1{"Label1", "Script Name", {}, true, {4800, 360, 1815, 375}, 1};
constexpr ControlSpec txtscriptname{"txtscriptname", {}, &F::scriptName, true,
                                    {6000, 360, 2775, 285}, 2};
constexpr ControlSpec Label2{"Label2", "Trigger Name", {}, true, {4800, 840, 975, 255}, 3};
constexpr ControlSpec txttrigger{"txttrigger", {}, &F::triggerName, true,
                                 {6000, 840, 2775, 285}, 4};
constexpr ControlSpec Label3{"Label3", "Flag Name", {}, true, {4800, 1320, 975, 255}, 5};
constexpr ControlSpec txtflag{"txtflag", {}, &F::flagName, true, {6000, 1320, 2775, 285}, 6};
constexpr ControlSpec Label4{"Label4", "Vehicle Name", {}, true, {4800, 1800, 1455, 255}, 7};
constexpr ControlSpec txtvehic{"txtvehic", {}, &F::vehicleName, true, {6000, 1800, 2775, 285}, 8};
constexpr ControlSpec Label6{"Label6", "Second Vehicle", {}, false, {4800, 2280, 1575, 255}, 15};
constexpr ControlSpec txtvehic2{"txtvehic2", {}, &F::secondVehicleName, false,
                                {6000, 2280, 2775, 285}, 14};
constexpr ControlSpec Check1{"Check1", "Check1", {}, true, {6480, 2640, 135, 195}, 16};
constexpr ControlSpec Label5{"Label5", "2 Vehicles", {}, true, {6720, 2640, 2055, 255}, 13};
constexpr ControlSpec cmdcmpl{"cmdcmpl", "Compile", {}, true, {5880, 3360, 2295, 375}, 9};
constexpr ControlSpec cmdsave{"cmdsave", "Save Script", {}, true, {5880, 3840, 2295, 375}, 12};
constexpr ControlSpec cmdload{"cmdload", "Load Script For Editiing", {}, true,
                              {5880, 4320, 2295, 375}, 17};
constexpr ControlSpec txtclos1{"txtclos1", {}, &F::blockCloser, false, {6840, 5880, 1455, 375}, 11};
constexpr ControlSpec txtclose{"txtclose", {}, &F::lineCloser, false, {6840, 6360, 1455, 375}, 10};
constexpr ControlSpec Txt1{"Txt1", "", {}, true, {240, 240, 4455, 5175}, 0};
constexpr ControlSpec Text1{"Text1", "", {}, true, {240, 5640, 4455, 855}, 18};
// clang-format on

// Right-hand column from top to bottom, then the left column: the order they are made in.
constexpr std::array<const ControlSpec*, 19> Controls{
    &Label1,   &txtscriptname, &Label2,    &txttrigger, &Label3, &txtflag, &Label4,
    &txtvehic, &Label6,        &txtvehic2, &Check1,     &Label5, &cmdcmpl, &cmdsave,
    &cmdload,  &txtclos1,      &txtclose,  &Txt1,       &Text1};

// The client area below the menu bar.
constexpr QRect ClientTwips{0, 0, 8895, 6825};

// What the instructions box Text1 shows.
constexpr const char* Instructions = "Please no Spaces, use underscores to represent them\r\n"
                                     "example of a correct name \"Warthog_vehic\"  No Quotes\r\n"
                                     "example of a incorrect name \"Warthog vehic\"  No Quotes";
} // namespace form1

} // namespace vantrel
