// Filling a list view for a test: items with texts only, as a list in list mode holds them.
#pragma once

#include "win/Windows.h"

#include <string>

// Appends count items named prefix0, prefix1, ...
void AppendListItems(HWND list, const std::wstring& prefix, int count);
