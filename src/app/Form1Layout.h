#pragma once

#include <QRect>
#include <span>

namespace vantrel {

// The main window as designed: one row per control, positions in twips.
enum class ControlKind
{
    Label,
    TextBox,
    CheckBox,
    Button,
    Editor,
    Notes
};

struct ControlSpec
{
    const char* name;
    ControlKind kind;
    const char* text;
    bool visibleAtStart;
    QRect twips; // left, top, width, height in the client area
    int tabIndex;
};

std::span<const ControlSpec> form1Controls();

// The client area below the menu bar, in twips.
inline constexpr int Form1ClientWidthTwips = 8895;
inline constexpr int Form1ClientHeightTwips = 6825;

} // namespace vantrel
