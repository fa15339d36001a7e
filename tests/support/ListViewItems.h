// Filling a list view for a test: columns, items with texts only as a list in list mode holds
// them, texts of items' columns; and reading back which items are selected.
#pragma once

#include "win/Windows.h"

#include <string>
#include <vector>

// Appends count items named prefix0, prefix1, ...
void AppendListItems(HWND list, const std::wstring& prefix, int count);
// Adds a column at index: its title, its width in pixels and its format (LVCFMT_...).
void InsertListColumn(HWND list, int index, const wchar_t* title, int width, int format = 0);
// Sets the text that item index shows in column.
void SetListItemText(HWND list, int index, int column, const std::wstring& text);
// The indexes of the selected items, in order.
std::vector<int> SelectedListItems(HWND list);
