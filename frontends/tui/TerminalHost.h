// What the host program gives the terminal front end: its window, whose menu is the menu bar,
// and the runner of the lines typed at the command line.
#pragma once

#include "win/WinUser.h"

#include <functional>
#include <string>

struct TerminalHost {
    // The host's main window: its menu is the screen's menu bar, and while it is disabled (a modal
    // window is open) neither the menu bar nor the command line takes input. It is not drawn as a
    // window: the host's screen is its face.
    HWND window = nullptr;
    // Runs a command line typed at the command line.
    std::function<void(const std::wstring& line)> runCommandLine;
};
