// A list view in a text snapshot: its columns, then one line an item with its state image,
// selection, focus, texts and the colours painting chose.
#pragma once

#include "win/ListViewInfo.h"

#include <cstdint>
#include <string>

// Lines, each begun with indent.
std::wstring ListViewSnapshot(const ListViewInfo& list, const std::wstring& indent);
// The texts of the item's first columns joined by " | ".
std::wstring ListItemText(const ListItemInfo& item, std::size_t columns = SIZE_MAX);
