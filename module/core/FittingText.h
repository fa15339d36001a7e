// The longest form of a text that a window has room for, for texts that have shorter forms for a
// narrow window ("Row 3 of 12 - 1 failed - ..." and "3/12 · 1 failed").
#pragma once

#include "win/WinGdi.h"

#include <string>
#include <vector>

// The first of forms, longest first, no wider than nWidth pixels in hDC's font; the last when none
// is, and empty when there is no form.
std::wstring FittingText(HDC hDC, const std::vector<std::wstring>& forms, int nWidth);
// The same for the width of a window's client area.
std::wstring FittingText(HWND hWnd, const std::vector<std::wstring>& forms);
