#pragma once

#include <QSize>

namespace vantrel::bench {

// Start-up of the program against a bare window of the main window's size, each its own
// process: offscreen, and on the X server that DISPLAY names (Xvfb in scripts/bench.sh).
void addStartupFigures(QSize windowSize);

// vantrel check on a small script against a Qt console program that reads the same file,
// each its own process, with no display.
void addCheckStartupFigure();

} // namespace vantrel::bench
