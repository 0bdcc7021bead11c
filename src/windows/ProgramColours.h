#pragma once

#include <QColor>

namespace vantrel {

// The program's dark grey scheme, shared by the main window and the About box.
namespace ProgramColours {
inline const QColor WindowBackground{64, 64, 64};
inline const QColor Text{192, 192, 192};
inline const QColor BoxBackground{0, 0, 0};
inline const QColor Face{128, 128, 128};
} // namespace ProgramColours

} // namespace vantrel
