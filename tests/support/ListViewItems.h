// Filling a list view for a test, items with texts only as a list in list mode holds them, and
// reading back which items are selected.
#pragma once

#include "win/Windows.h"

#include <string>
#include <vector>

// Appends count items named prefix0, prefix1, ...
void AppendListItems(HWND list, const std::wstring& prefix, int count);
// The indexes of the selected items, in order.
std::vector<int> SelectedListItems(HWND list);
