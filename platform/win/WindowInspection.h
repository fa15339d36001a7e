// Inspecting windows headless: what a front end needs to draw a window, and the text snapshot
// that tests and scripts read, each control adding its own description.
#pragma once

#include "win/WindowInfo.h"

#include <string>

class WindowInspection {
public:
    // With askColors the parent is asked for the window's colours (WM_CTLCOLOR...) as painting
    // would, and a list gives the colours of its rows in view.
    static WindowInfo describe(HWND window, bool askColors);
    // Title, class and every control with id, class, text and states, one per line.
    static std::wstring snapshot(HWND window);
};
