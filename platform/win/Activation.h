// Which top-level window is active: activating one brings it and the windows it owns to the top,
// tells the old and the new one (WM_ACTIVATE) and lets the new one take the focus back.
#pragma once

#include "win/WinUser.h"

class Activation {
public:
    // False when the window is no enabled top-level window.
    static bool activate(HWND topLevel);
    // After the active window is hidden, disabled or destroyed: its owner, or the topmost usable.
    static void activateNext(HWND leaving);
    // Moves the window to the top of the z-order with the windows it owns above it.
    static void bringToTop(HWND topLevel);
    // Gives the focus back to the control that had it when the window was last active.
    static bool restoreFocus(HWND topLevel);
};
