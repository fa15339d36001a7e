// What a front end, a test or a script sees of one window: its place, its text and its states,
// with what its kind of control adds (an edit's selection, a combo box's entries, a list's rows).
#pragma once

#include "win/ListViewInfo.h"
#include "win/WinUser.h"

#include <string>
#include <vector>

// What a front end needs to show one window. Rectangles are in screen pixels.
struct WindowInfo {
    HWND hwnd = nullptr;
    HWND parent = nullptr;
    HWND owner = nullptr;
    std::wstring className;     // as registered ("Button", "Edit", "#32770", ...)
    std::wstring text;          // as shown: a password edit shows its mask characters
    int id = 0;
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT windowRect{};
    RECT clientRect{};
    bool visible = false;       // itself and every ancestor
    bool enabled = false;       // itself and every ancestor
    bool focused = false;
    bool active = false;        // the active top-level window
    bool isDefault = false;     // a default push button
    UINT checkState = BST_UNCHECKED;
    bool pushed = false;
    bool readOnly = false;
    bool password = false;
    DWORD selectionStart = 0;   // edits, and the edit of a drop-down combo
    DWORD selectionEnd = 0;
    int firstVisibleLine = 0;   // a multi-line edit's top row as wrapped, 0 the first
    int wrapColumns = 0;        // where a multi-line edit wraps its lines; 0: at line ends only
    std::vector<std::wstring> items;   // combo box entries
    int currentSelection = -1;
    bool droppedDown = false;
    RECT droppedRect{};         // the open list of a combo box
    HMENU menu = nullptr;       // the menu bar of a top-level window
    std::wstring iconName;      // an SS_ICON static: "error", "warning", "question", "information" or "#id"
    bool hasColors = false;     // the parent chose colours other than the defaults (WM_CTLCOLOR...)
    COLORREF textColor = 0;
    COLORREF backgroundColor = 0;
    int rangeLow = 0;           // a progress bar's range and position
    int rangeHigh = 0;
    int position = 0;
    ListViewInfo listView;      // a list view's columns and items (colours of the rows in view)
};
