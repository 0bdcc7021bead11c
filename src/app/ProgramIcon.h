#pragma once

#include <QIcon>

namespace vantrel {

// The icon every window carries, drawn in seven sizes from 16 to 256 pixels. Its files are
// read when it is first drawn: reading them all up front took 7 ms of start-up, and
// offscreen no window icon is ever drawn.
QIcon programIcon();

} // namespace vantrel
