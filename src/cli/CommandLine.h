#pragma once

#include <QString>
#include <functional>
#include <optional>

namespace vantrel {

// Runs the windows until the last one closes, the main window with a file loaded first
// or not; returns the exit status.
using WindowProgram = std::function<int(const std::optional<QString>& file)>;

// The program's command line. A command (check, compose, --help, --version, or a mistake)
// runs on Qt Core alone and needs no display; anything else starts the window program,
// which a program without windows leaves empty. Returns the exit status.
int runCommandLine(int argc, char* argv[], const WindowProgram& window);

} // namespace vantrel
