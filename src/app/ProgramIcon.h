#pragma once

#include <QIcon>

class QApplication;

namespace vantrel {

// The icon every window carries, drawn in seven sizes from 16 to 256 pixels. Its files are
// read when it is first drawn: reading them all up front showed in the benchmark's startup
// figure, and offscreen no window icon is ever drawn.
QIcon programIcon();

// Makes programIcon() the application's window icon once the first window has painted. On
// X11 a window's icon goes to the window system as pixels in every size as soon as the
// window is made, files read and converted first: work the first paint does not need.
void setProgramIconAfterFirstPaint(QApplication& app);

} // namespace vantrel
