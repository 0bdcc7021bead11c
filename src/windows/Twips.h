#pragma once

#include <QRect>
#include <QSize>

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

constexpr QRect twipsToPixels(int left, int top, int width, int height)
{
    return {twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height)};
}

} // namespace vantrel
