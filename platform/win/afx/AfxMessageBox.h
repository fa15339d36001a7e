// The framework's message box: captioned with the module's name, owned by the active window, with
// the icon that suits its buttons when none is given.
#pragma once

#include "win/WinUser.h"

#include <string>

int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(const std::wstring& text, UINT nType = MB_OK, UINT nIDHelp = 0);
// The text is string nIDPrompt of the current resource handle.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
