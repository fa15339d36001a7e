// How the window framework's screen pixels map to character cells. The framework measures a
// dialog unit as 2 pixels both ways and a cell as 8 x 16 pixels, so 4 horizontal and 8 vertical
// dialog units make one cell and a 301 x 218 dialog fits an 80 x 30 terminal.
#pragma once

#include "Rect.h"

#include "win/WinUser.h"

namespace CellGeometry {

constexpr int cellWidthPx = 8;
constexpr int cellHeightPx = 16;

inline int floorDiv(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// Every cell the pixel rectangle touches.
inline Rect cellsOf(const RECT& pixels)
{
    const int left = floorDiv(pixels.left, cellWidthPx);
    const int top = floorDiv(pixels.top, cellHeightPx);
    const int right = floorDiv(pixels.right + cellWidthPx - 1, cellWidthPx);
    const int bottom = floorDiv(pixels.bottom + cellHeightPx - 1, cellHeightPx);
    return {left, top, right - left, bottom - top};
}

// The pixel in the middle of a cell, where a click on that cell lands.
inline POINT pixelOf(int x, int y)
{
    return {x * cellWidthPx + cellWidthPx / 2, y * cellHeightPx + cellHeightPx / 2};
}

} // namespace CellGeometry
