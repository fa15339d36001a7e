// An image list as the platform keeps it behind an HIMAGELIST: images of one size, each the tile
// of a bitmap that covered it, and the colour that shows transparent.
#pragma once

#include "win/BitmapTemplate.h"
#include "win/CommCtrl.h"

#include <vector>

struct IMAGELIST {
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
    COLORREF mask = CLR_NONE;
    std::vector<BitmapTile> images;

    // The live list behind a handle, or null. Handles are not the lists' addresses.
    static IMAGELIST* find(HIMAGELIST list);
    // Image index, or null when there is none; transparent tells whether its background shows.
    const BitmapTile* image(int index) const;
    bool isTransparent(const BitmapTile& tile) const { return (flags & ILC_MASK) && tile.background == mask; }
};
