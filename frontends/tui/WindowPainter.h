// Draws a top-level window of the window framework where the framework places it: frame, title
// bar with its close box, menu bar, and every visible control through the control drawers.
#pragma once

#include "MenuBar.h"
#include "Screen.h"

#include "win/Automation.h"

#include <vector>

class WindowPainter {
public:
    // Where the parts of a top-level window are on the screen.
    struct Parts {
        Rect frame;
        Rect titleBar;
        // Empty when the window has no system menu.
        Rect closeBox;
        // The row of its menu bar; empty when it has none.
        Rect menuBar;
    };
    static Parts partsOf(const WindowInfo& window);

    // Draws the window and remembers its open combo lists for drawOverlays.
    void draw(Screen& screen, HWND window);
    // What goes over every window: the lists of open combo boxes.
    void drawOverlays(Screen& screen);
    // Where the open combo lists were drawn last, which clicks reach before any window.
    const std::vector<Rect>& droppedLists() const { return m_droppedLists; }

private:
    void drawChildren(Screen& screen, HWND parent);

    std::vector<WindowInfo> m_droppedCombos;
    std::vector<Rect> m_droppedLists;
};
