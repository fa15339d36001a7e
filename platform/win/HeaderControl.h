// The "SysHeader32" class: the column titles above a report list. Dragging a divider resizes the
// column on its left once the parent allows it (HDN_BEGINTRACK); a double click on a divider is
// reported (HDN_DIVIDERDBLCLICK) for the parent to fit the column. A list scrolled sideways moves
// its header left with the rows; the frozen columns (LVCFMT_FROZEN) stay where the list shows them.
#pragma once

#include "win/CommCtrl.h"
#include "win/Control.h"

#include <string>
#include <vector>

class HeaderControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    struct Item {
        std::wstring text;
        int width = 0;
        int format = 0;
        LPARAM param = 0;
    };
    static const std::vector<Item>* itemsOf(HWND header);

private:
    LRESULT insert(int index, const HDITEMW& item);
    BOOL get(int index, HDITEMW& item) const;
    BOOL set(HWND window, int index, const HDITEMW& item);
    // Where a point lies: an item, its divider (the right edge, half a cell either side) or nowhere.
    // A scrolled column's part under the frozen ones is not shown and takes no clicks.
    HDHITTESTINFO hitTest(HWND window, POINT point) const;
    // An item's left edge as shown: a frozen one's stays under its column while the header moves.
    int shownLeft(HWND window, int index) const;
    int leftOf(int index) const;
    int frozenCount() const;
    LRESULT notify(HWND window, UINT code, int index) const;
    void mouse(HWND window, UINT message, POINT point);

    std::vector<Item> m_items;
    int m_tracking = -1;   // the item whose divider is being dragged
    // The drag moves the divider by the mouse's way from the press, so a click that does not
    // move leaves the width as it was, wherever in the divider's reach it was pressed.
    int m_trackPressX = 0;
    int m_trackStartWidth = 0;
};
