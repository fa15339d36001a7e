// Tool bars, status bars and tool tips on the terminal: a tool bar as a row of its buttons'
// pictures (greyed dimmed, the one under the mouse or pressed highlighted), a status bar as its
// panes painted by the bar and its owner, a tip as a framed box over every window.
#pragma once

#include "Rect.h"
#include "Screen.h"

#include "win/Automation.h"

void DrawToolBar(Screen& screen, const WindowInfo& bar, const Rect& cells);
void DrawStatusBar(Screen& screen, const WindowInfo& bar, const Rect& cells);
void DrawToolTip(Screen& screen, const WindowInfo& tip);
// A tool tip window, which never takes the keys or the mouse.
bool IsToolTip(HWND window);
