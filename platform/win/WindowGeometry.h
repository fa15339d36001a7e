// Where windows are on the screen. A character cell is 8 x 16 pixels; a framed top-level window
// has a one-cell frame whose top row carries the caption, and a menu bar takes one more row.
#pragma once

#include "win/Window.h"

class WindowGeometry {
public:
    static constexpr int cellWidth = 8;
    static constexpr int cellHeight = 16;

    // How far the client area lies inside the window rectangle on each side.
    static RECT frameInsets(const Window& window);
    // The window rectangle in screen coordinates.
    static RECT screenRect(HWND window);
    // The client area's top-left corner in screen coordinates.
    static POINT clientOrigin(HWND window);
    static SIZE clientSize(const Window& window);
};
