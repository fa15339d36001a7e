// Window and client rectangles in screen coordinates.
#include "win/WindowGeometry.h"

#include "win/WindowTable.h"

RECT WindowGeometry::frameInsets(const Window& window)
{
    RECT insets{0, 0, 0, 0};
    if (window.style & WS_CHILD)
        return insets;
    const bool framed = (window.style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME)) || (window.exStyle & WS_EX_DLGMODALFRAME);
    if (framed)
        insets = RECT{cellWidth, cellHeight, cellWidth, cellHeight};
    if (window.menu)
        insets.top += cellHeight;
    return insets;
}

POINT WindowGeometry::clientOrigin(HWND handle)
{
    const Window* window = WindowTable::instance().find(handle);
    if (!window)
        return POINT{0, 0};
    const RECT rect = screenRect(handle);
    const RECT insets = frameInsets(*window);
    return POINT{rect.left + insets.left, rect.top + insets.top};
}

RECT WindowGeometry::screenRect(HWND handle)
{
    const Window* window = WindowTable::instance().find(handle);
    if (!window)
        return RECT{0, 0, 0, 0};
    RECT rect = window->rect;
    if (window->parent) {
        const POINT origin = clientOrigin(window->parent);
        OffsetRect(&rect, origin.x, origin.y);
    }
    return rect;
}

SIZE WindowGeometry::clientSize(const Window& window)
{
    const RECT insets = frameInsets(window);
    const LONG width = window.rect.right - window.rect.left - insets.left - insets.right;
    const LONG height = window.rect.bottom - window.rect.top - insets.top - insets.bottom;
    return SIZE{width > 0 ? width : 0, height > 0 ? height : 0};
}
