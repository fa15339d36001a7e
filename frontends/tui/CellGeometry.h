// How the window framework's screen pixels map to character cells. The framework measures a
// dialog unit as 2 pixels both ways and a cell as 8 x 16 pixels, so 4 horizontal and 8 vertical
// dialog units make one cell and a 301 x 218 dialog with its frame and menu fits 80 x 30 cells.
#pragma once

#include "Rect.h"

#include "win/WinUser.h"

#include <utility>

namespace CellGeometry {

constexpr int cellWidthPx = 8;
constexpr int cellHeightPx = 16;

inline int floorDiv(int value, int divisor)
{
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

// The first cell and the number of cells along one axis whose centres lie in [from, to). A span
// too thin to hold a centre takes the one cell its own middle lies in.
inline std::pair<int, int> cellSpan(int from, int to, int cellSize)
{
    if (to <= from)
        return {floorDiv(from, cellSize), 0};
    const int first = -floorDiv(cellSize / 2 - from, cellSize);
    const int end = -floorDiv(cellSize / 2 - to, cellSize);
    if (end > first)
        return {first, end - first};
    return {floorDiv((from + to) / 2, cellSize), 1};
}

// The cells whose centres lie inside the pixel rectangle. Rectangles that do not overlap never
// share a cell, and a click in the middle of a cell lands on the window drawn there.
inline Rect cellsOf(const RECT& pixels)
{
    const auto [x, width] = cellSpan(pixels.left, pixels.right, cellWidthPx);
    const auto [y, height] = cellSpan(pixels.top, pixels.bottom, cellHeightPx);
    return {x, y, width, height};
}

// The pixel in the middle of a cell, where a click on that cell lands.
inline POINT pixelOf(int x, int y)
{
    return {x * cellWidthPx + cellWidthPx / 2, y * cellHeightPx + cellHeightPx / 2};
}

} // namespace CellGeometry
