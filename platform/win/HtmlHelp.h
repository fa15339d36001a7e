// HTML Help, the system's help viewer, as the library "hhctrl.ocx" offers it: a program loads the
// library and takes its entry HtmlHelpW by ordinal 15 (or by name). The library is part of the
// platform and present from the start, as on a Windows system.
#pragma once

#include "win/WinUser.h"

// The commands of HtmlHelpW that the platform knows.
constexpr UINT HH_HELP_CONTEXT = 0x000F;   // dwData: the context id of the topic to show

constexpr WORD HH_HTMLHELPW_ORDINAL = 15;
using HTMLHELPPROCW = HWND (*)(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData);
