// What a front end or a snapshot needs of a list view: its columns, its items with their states,
// texts and painted colours, the part in view, the state images and the items' own pictures.
#pragma once

#include "kernel/WinTypes.h"

#include <string>
#include <vector>

struct ListColumnInfo {
    std::wstring text;
    int width = 0;   // pixels
    int format = 0;  // LVCFMT_LEFT (0), LVCFMT_RIGHT or LVCFMT_CENTER: how its texts are aligned
};

struct ListCellInfo {
    std::wstring text;
    // As painting asked the parent (NM_CUSTOMDRAW); CLR_DEFAULT (0xFF000000) leaves the list's own.
    COLORREF textColor = 0xFF000000;
    COLORREF backgroundColor = 0xFF000000;
};

struct ListItemInfo {
    std::vector<ListCellInfo> cells;   // one a column
    int stateImage = 0;                // the state image index, 0 for none
    int image = -1;                    // the index in the small image list, -1 for none
    bool selected = false;
    bool focused = false;
};

struct ListImageInfo {
    std::wstring glyph;
    COLORREF color = 0;
    COLORREF background = 0;
    bool transparent = false;
};

struct ListViewInfo {
    bool report = false;
    bool showHeader = false;
    DWORD extendedStyle = 0;
    std::vector<ListColumnInfo> columns;
    std::vector<ListItemInfo> items;
    int topIndex = 0;
    int countPerPage = 0;
    // Report mode: the leading columns that stay in place, the first column in view after them,
    // and the pixels of the columns scrolled out of view between them.
    int frozenColumns = 0;
    int firstColumn = 0;
    int scrolledWidth = 0;
    // List mode: items run down columns of this many, each column this wide (pixels).
    int rowsPerColumn = 0;
    int listColumnWidth = 0;
    int stateImageWidth = 0;             // pixels
    std::vector<ListImageInfo> stateImages;   // image n-1 is state image index n
    std::vector<ListImageInfo> smallImages;   // the items' own pictures, by image index
};
