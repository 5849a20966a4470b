#pragma once

#include <QRect>
#include <QSize>

namespace cartavia {

// Layouts are written in twips, as their tables give them: 15 twips make one pixel.
constexpr int TwipsPerPixel = 15;

constexpr int tw(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

// Left, Top, Width, Height in twips.
inline QRect tw(int left, int top, int width, int height)
{
    return QRect(tw(left), tw(top), tw(width), tw(height));
}

inline QSize twSize(int width, int height)
{
    return QSize(tw(width), tw(height));
}

} // namespace cartavia
