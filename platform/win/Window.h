// One window as the table keeps it: tree links, texts, styles, geometry and the state of the
// built-in control or dialog behind it. Only the window layer sees this record.
#pragma once

#include "win/Control.h"
#include "win/DialogState.h"
#include "win/WinUser.h"
#include "win/WindowClass.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

struct Window {
    HWND handle = nullptr;
    std::shared_ptr<const WindowClass> windowClass;
    WNDPROC procedure = nullptr;
    HINSTANCE instance = nullptr;

    HWND parent = nullptr;              // null for a top-level window
    HWND owner = nullptr;               // top-level windows only
    std::vector<HWND> children;         // z-order, the first on top (creation order)

    std::wstring text;
    DWORD style = 0;
    DWORD exStyle = 0;
    UINT_PTR id = 0;                    // child windows: the control id
    HMENU menu = nullptr;               // top-level windows: the menu bar
    HMENU systemMenu = nullptr;
    RECT rect{};                        // in the parent's client coordinates; screen for top-level
    LONG_PTR userData = 0;
    std::vector<LONG_PTR> extra;        // the class's extra bytes, a LONG_PTR a slot
    std::map<std::wstring, HANDLE> properties;
    HFONT font = nullptr;
    HWND lastFocus = nullptr;           // top-level windows: the focus to give back on activation

    std::unique_ptr<Control> control;   // a built-in control's state
    std::unique_ptr<DialogState> dialog;

    // Colours the parent chose the last time the window asked (WM_CTLCOLOR...).
    bool hasColors = false;
    COLORREF textColor = 0;
    COLORREF backgroundColor = 0;

    // Procedure calls running on this window; a destroyed window is freed when none is left.
    int activeCalls = 0;
    bool destroying = false;
};
