// A rectangle of character cells: position of its top-left cell and its size.
#pragma once

#include <algorithm>

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    bool contains(int cx, int cy) const { return cx >= x && cx < right() && cy >= y && cy < bottom(); }

    Rect intersected(const Rect& other) const
    {
        const int left = std::max(x, other.x);
        const int top = std::max(y, other.y);
        const int r = std::min(right(), other.right());
        const int b = std::min(bottom(), other.bottom());
        return {left, top, std::max(0, r - left), std::max(0, b - top)};
    }

    // The rectangle without a border of one cell on every side.
    Rect inner() const { return {x + 1, y + 1, std::max(0, width - 2), std::max(0, height - 2)}; }

    bool operator==(const Rect&) const = default;
};
