#pragma once

#include <QRect>
#include <QSize>
#include <QWidget>

namespace vantrel {

// Layouts are written in twips, as the windows were designed; 15 twips make one logical
// pixel. Qt scales logical pixels on high-resolution screens.
constexpr int TwipsPerPixel = 15;

constexpr int twipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr QSize twipsToPixels(int widthTwips, int heightTwips)
{
    return {twipsToPixels(widthTwips), twipsToPixels(heightTwips)};
}

constexpr QRect twipsToPixels(const QRect& twips)
{
    return {twipsToPixels(twips.x()), twipsToPixels(twips.y()), twipsToPixels(twips.width()),
            twipsToPixels(twips.height())};
}

// How every window lays out a control: its name, and its rectangle in twips (left, top,
// width, height in the window's client area).
template <class Control> Control* place(Control* control, const char* name, const QRect& twips)
{
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twipsToPixels(twips));
    return control;
}

} // namespace vantrel
