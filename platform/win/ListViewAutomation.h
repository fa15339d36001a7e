// Acting on a list view's items as a user would, for tests and scripts: selecting with clicks
// (Ctrl held for the second item on), clicking an item's label or state image, double-clicking,
// resting the mouse on an item's text to read its tip.
// Items count from 0; an item out of view is scrolled into it first. Each fails, changing nothing,
// when the list cannot be used or an index is not an item.
#pragma once

#include "win/Automation.h"

#include <string>
#include <vector>

class ListViewAutomation {
public:
    // Exactly these items selected afterwards; empty clears the selection.
    static ActionResult selectItems(HWND window, int controlId, const std::vector<int>& indexes);
    static ActionResult clickItem(HWND window, int controlId, int index, bool onStateImage);
    static ActionResult doubleClickItem(HWND window, int controlId, int index);
    // Rests the mouse on the item's text in a column until its tip shows (or a tip's delay has
    // passed twice) and gives the tip's text, empty when none showed; then moves the mouse off.
    static ActionResult restOnItem(HWND window, int controlId, int index, int column, std::wstring& tip);
    // The list's contents as a snapshot shows them; fails when the control is no list view.
    static ActionResult inspect(HWND window, int controlId, ListViewInfo& list);
};
