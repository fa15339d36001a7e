// Frames, title bars and the walk over a window's controls.
#include "WindowPainter.h"

#include "CellGeometry.h"
#include "ControlDrawers.h"
#include "MenuReader.h"
#include "Theme.h"

#include "kernel/Text.h"

#include <ranges>

namespace {
constexpr std::wstring_view closeBoxText = L"[×]";
}

WindowPainter::Parts WindowPainter::partsOf(const WindowInfo& window)
{
    Parts parts;
    parts.frame = CellGeometry::cellsOf(window.windowRect);
    parts.titleBar = {parts.frame.x, parts.frame.y, parts.frame.width, 1};
    if (window.style & WS_SYSMENU) {
        const int width = static_cast<int>(closeBoxText.size());
        parts.closeBox = {parts.frame.right() - 1 - width, parts.frame.y, width, 1};
    }
    if (window.menu)
        parts.menuBar = {parts.frame.x + 1, parts.frame.y + 1, std::max(0, parts.frame.width - 2), 1};
    return parts;
}

void WindowPainter::draw(Screen& screen, HWND window)
{
    const WindowInfo info = Automation::describe(window);
    const Parts parts = partsOf(info);
    const Style frameStyle = info.active ? Theme::frameActive : Theme::frameInactive;
    screen.fill(parts.frame, L' ', Theme::window);
    screen.frame(parts.frame, frameStyle, info.active);

    const Style titleStyle = info.active ? Theme::titleActive : Theme::titleInactive;
    {
        const int titleEnd = parts.closeBox.empty() ? parts.frame.right() - 1 : parts.closeBox.x;
        const Screen::ClipScope clip(screen, {parts.frame.x + 1, parts.frame.y, titleEnd - parts.frame.x - 1, 1});
        screen.text(parts.frame.x + 2, parts.frame.y, L" " + info.text + L" ", titleStyle);
    }
    if (!parts.closeBox.empty())
        screen.text(parts.closeBox.x, parts.closeBox.y, closeBoxText, titleStyle);
    if (!parts.menuBar.empty()) {
        MenuBar bar;
        bar.setMenus(ReadMenu(info.menu));
        bar.draw(screen, parts.menuBar);
    }
    const Screen::ClipScope clip(screen, parts.frame.inner());
    drawChildren(screen, window);
}

void WindowPainter::drawChildren(Screen& screen, HWND parent)
{
    // The first child is on top, so the last is drawn first.
    for (HWND child : std::views::reverse(Automation::children(parent))) {
        const WindowInfo info = Automation::describe(child);
        if (!info.visible)
            continue;
        if (EqualsNoCase(info.className, std::wstring_view(WC_DIALOG))) {
            const Screen::ClipScope clip(screen, CellGeometry::cellsOf(info.windowRect));
            drawChildren(screen, child);
            continue;
        }
        DrawControl(screen, info);
        if (info.droppedDown)
            m_droppedCombos.push_back(info);
        // A control's own children, such as the edit field of a drop-down combo box, go over it.
        drawChildren(screen, child);
    }
}

void WindowPainter::drawOverlays(Screen& screen)
{
    m_droppedLists.clear();
    for (const WindowInfo& combo : m_droppedCombos) {
        DrawDroppedList(screen, combo, static_cast<int>(SendMessageW(combo.hwnd, CB_GETTOPINDEX, 0, 0)));
        m_droppedLists.push_back(CellGeometry::cellsOf(combo.droppedRect));
    }
    m_droppedCombos.clear();
}
