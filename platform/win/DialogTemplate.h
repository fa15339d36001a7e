// Dialog templates as the platform keeps them: a plain structure in dialog units, registered as an
// RT_DIALOG resource whose data points to it (the platform's form of a DLGTEMPLATE).
#pragma once

#include "kernel/WinTypes.h"

#include <span>

// One control of a dialog. The dialog adds WS_CHILD; every other style, WS_VISIBLE included, is
// stated here. For an SS_ICON static, text names the icon ("#23" for resource 23, or a stock icon).
struct DialogItemTemplate {
    LPCWSTR className = nullptr;   // "BUTTON", "EDIT", "STATIC", "COMBOBOX", "msctls_updown32", ...
    LPCWSTR text = L"";
    int id = 0;                    // IDC_STATIC (-1) for a static never addressed
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;   // dialog units, relative to the client area
    DWORD exStyle = 0;
};

struct DialogTemplate {
    DWORD style = 0;   // WS_* and DS_*; a WS_CHILD template makes a child dialog
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;   // dialog units; cx and cy give the client area
    LPCWSTR caption = L"";
    LPCWSTR fontName = L"MS Sans Serif";
    WORD pointSize = 8;
    WORD menuId = 0;                   // an RT_MENU resource of the same module, 0 for none
    LPCWSTR className = nullptr;       // nullptr: the dialog class "#32770"
    std::span<const DialogItemTemplate> items;
};

using DLGTEMPLATEW = DialogTemplate;
using LPCDLGTEMPLATEW = const DialogTemplate*;
