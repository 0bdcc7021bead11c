#pragma once

#include <QString>
#include <memory>
#include <optional>

class QApplication;

namespace vantrel {

// The application for the windows, or none when no display can be opened for them, said in
// one line on standard error: where Qt would abort with advice to reinstall, over SSH for
// instance, the user learns that the commands need no display.
std::unique_ptr<QApplication> openApplication(int& argc, char* argv[]);

// Everything the program sets up once, before its first window: the style that shows the
// documented colours on every platform, the font, the names, and the icon that the windows
// get once the first of them has painted.
void setUpApplication(QApplication& app);

// Start-up: create the main window, show it, load the file if one is given, and run the
// event loop until the last window closes.
int runProgram(QApplication& app, const std::optional<QString>& file = std::nullopt);

} // namespace vantrel
