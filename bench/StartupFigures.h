#pragma once

#include <QSize>

namespace vantrel::bench {

// Start-up of the program against a bare window of the main window's size, each its own
// process: offscreen, and on the X server that DISPLAY names (Xvfb in scripts/bench.sh).
void addStartupFigures(QSize windowSize);

} // namespace vantrel::bench
