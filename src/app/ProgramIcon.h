#pragma once

#include <QIcon>

namespace vantrel {

// The icon every window carries, drawn in seven sizes from 16 to 256 pixels. Its files are
// read when it is first drawn: reading them all up front showed in the benchmark's startup
// figure, and offscreen no window icon is ever drawn.
QIcon programIcon();

} // namespace vantrel
