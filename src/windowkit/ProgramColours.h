#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>
#include <initializer_list>
#include <utility>

namespace vantrel {

// The program's dark grey scheme, shared by the main window and the About box, and the
// colours that go with it.
namespace ProgramColours {
inline const QColor WindowBackground{64, 64, 64};
inline const QColor Text{192, 192, 192};
inline const QColor BoxBackground{0, 0, 0};
inline const QColor Face{128, 128, 128};
// The About box's etched rule: a grey line with a white one below it.
inline const QColor RuleShadow{128, 128, 128};
inline const QColor RuleHighlight{255, 255, 255};
// The main window's flat buttons: their caption, edge, focus edge and pressed face.
inline const QColor ButtonText{0, 0, 0};
inline const QColor ButtonEdge{48, 48, 48};
inline const QColor FocusEdge{255, 255, 255};
inline const QColor PressedFace{104, 104, 104};
// The tick on the main window's small check box, on its grey face.
inline const QColor CheckMark{0, 0, 0};
// The tutorial's video area, around the picture and behind a message.
inline const QColor VideoBackground{0, 0, 0};
} // namespace ProgramColours

// Sets the given colour roles of one widget's palette; the others keep the style's colours.
inline void setColours(QWidget* widget,
                       std::initializer_list<std::pair<QPalette::ColorRole, QColor>> roles)
{
    QPalette colours = widget->palette();
    for (const auto& [role, colour] : roles)
        colours.setColor(role, colour);
    widget->setPalette(colours);
}

} // namespace vantrel
