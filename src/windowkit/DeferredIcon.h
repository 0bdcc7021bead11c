#pragma once

#include <QIcon>
#include <functional>

namespace vantrel {

// An icon that is made only when something first needs its images, then stands for it.
// Making an icon from files decodes every file at once, and the first image read in a run
// also looks through Qt's image plugins: a cost that start-up would pay for icons it may
// never show.
QIcon deferredIcon(std::function<QIcon()> make);

} // namespace vantrel
