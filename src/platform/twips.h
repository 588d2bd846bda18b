#pragma once
// Every window but the main window measures in twips: 1/1440 inch, 15 twips a
// pixel at 96 dots per inch. This is the one place that converts.

#include <QPoint>
#include <QRect>
#include <QSize>

namespace twips {

constexpr int TwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel.
constexpr int toPixels(int tw)
{
    return tw >= 0 ? (tw + TwipsPerPixel / 2) / TwipsPerPixel
                   : -((-tw + TwipsPerPixel / 2) / TwipsPerPixel);
}

constexpr int fromPixels(int px)
{
    return px * TwipsPerPixel;
}

inline QPoint point(int left, int top)
{
    return {toPixels(left), toPixels(top)};
}

inline QSize size(int width, int height)
{
    return {toPixels(width), toPixels(height)};
}

// A control's place: left, top, width and height in twips.
inline QRect rect(int left, int top, int width, int height)
{
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

}  // namespace twips
