// Bitmaps as the platform keeps them: a plain structure registered as an RT_BITMAP resource whose
// data points to it. Headless, a bitmap is its size and, for a text front end, one picture a tile:
// the tiles lie side by side from the left, tileWidth pixels each (tool bar buttons, state images).
#pragma once

#include "kernel/WinTypes.h"

#include <span>

struct BitmapTile {
    LPCWSTR glyph = L"";        // the picture in terminal characters, one a column
    COLORREF color = 0;         // the glyph's colour
    COLORREF background = 0;    // an image list with this colour as its mask shows it transparent
};

struct BitmapTemplate {
    short cx = 0;
    short cy = 0;
    short tileWidth = 0;
    std::span<const BitmapTile> tiles;

    // The tile that covers pixel column x, or null past the last one.
    const BitmapTile* tileAt(int x) const
    {
        if (tileWidth <= 0 || x < 0)
            return nullptr;
        const auto index = static_cast<std::size_t>(x / tileWidth);
        return index < tiles.size() ? &tiles[index] : nullptr;
    }
};
