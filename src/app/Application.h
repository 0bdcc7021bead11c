#pragma once

#include <QString>
#include <optional>

class QApplication;

namespace vantrel {

// Everything the program sets up once, before its first window: the style that shows the
// documented colours on every platform, the font, the names, and the icon that the windows
// get once the first of them has painted.
void setUpApplication(QApplication& app);

// Start-up: create the main window, show it, load the file if one is given, and run the
// event loop until the last window closes.
int runProgram(QApplication& app, const std::optional<QString>& file = std::nullopt);

} // namespace vantrel
