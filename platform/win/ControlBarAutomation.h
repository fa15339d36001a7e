// Acting on a window's tool bar and status bar as a user would, for tests and scripts: pressing a
// button, resting the mouse on it to read its tip, and reading what a status bar pane shows.
#pragma once

#include "win/Automation.h"

#include <string>

class ControlBarAutomation {
public:
    // The window's child tool bar that has a button for the command; null when none has.
    static HWND toolBarWith(HWND window, UINT command);
    // A click on the button; fails when the button is greyed, hidden or cannot be reached.
    static ActionResult clickButton(HWND window, UINT command);
    // Rests the mouse on the button until its tip shows (or a tip's delay has passed twice) and
    // gives the tip's text, empty when none showed; then moves the mouse off the bar.
    static ActionResult restOnButton(HWND window, UINT command, std::wstring& tip);
    // The texts the status bar's pane shows, or the picture it shows when it has no text.
    static ActionResult paneText(HWND window, int pane, std::wstring& text);
};
