// Drawing tool bars, status bars and tool tips from what they paint.
#include "ControlBarDrawers.h"

#include "CellGeometry.h"
#include "TerminalColor.h"
#include "Theme.h"

#include "kernel/Text.h"
#include "win/CommCtrl.h"
#include "win/StatusBarControl.h"
#include "win/WordWrap.h"

#include <algorithm>

namespace {

constexpr Style tipStyle{Color::Black, Color::Yellow, Attr::None};

// A rectangle in the control's client pixels as cells on the screen.
Rect cellsOfClient(const WindowInfo& control, const RECT& client)
{
    const LONG x = control.clientRect.left;
    const LONG y = control.clientRect.top;
    return CellGeometry::cellsOf(RECT{client.left + x, client.top + y, client.right + x, client.bottom + y});
}

// What the bar painted into a context: the buttons' pictures.
std::vector<PaintOperation> paintOf(HWND bar)
{
    const HDC dc = GetDC(bar);
    SendMessageW(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), 0);
    std::vector<PaintOperation> painted = GetPaintOperations(dc);
    ReleaseDC(bar, dc);
    return painted;
}

void drawButton(Screen& screen, const WindowInfo& bar, const TBBUTTON& button, const RECT& rect, bool hot,
                const std::vector<PaintOperation>& pictures)
{
    const Rect cells = cellsOfClient(bar, rect);
    if (cells.empty())
        return;
    if (button.fsStyle & TBSTYLE_SEP) {
        screen.put(cells.x + (cells.width - 1) / 2, cells.y, L'│', Theme::disabled);
        return;
    }
    const bool enabled = bar.enabled && (button.fsState & TBSTATE_ENABLED);
    const Style style = !enabled ? Theme::disabled
                        : (button.fsState & TBSTATE_PRESSED) || hot ? Theme::selection
                                                                    : Theme::window;
    std::wstring picture;
    for (const PaintOperation& painted : pictures)
        if (painted.rect.left >= rect.left && painted.rect.left < rect.right)
            picture = painted.text;
    screen.fill({cells.x, cells.y, cells.width, 1}, L' ', style);
    const Screen::ClipScope clip(screen, {cells.x, cells.y, cells.width, 1});
    screen.text(cells.x + std::max(0, (cells.width - static_cast<int>(picture.size())) / 2), cells.y, picture, style);
}

} // namespace

void DrawToolBar(Screen& screen, const WindowInfo& bar, const Rect& cells)
{
    screen.fill(cells, L' ', Theme::window);
    const std::vector<PaintOperation> pictures = paintOf(bar.hwnd);
    const auto hot = SendMessageW(bar.hwnd, TB_GETHOTITEM, 0, 0);
    const auto count = SendMessageW(bar.hwnd, TB_BUTTONCOUNT, 0, 0);
    for (LRESULT index = 0; index < count; ++index) {
        TBBUTTON button{};
        RECT rect{};
        SendMessageW(bar.hwnd, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
        SendMessageW(bar.hwnd, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        if (!(button.fsState & TBSTATE_HIDDEN))
            drawButton(screen, bar, button, rect, index == hot, pictures);
    }
}

void DrawStatusBar(Screen& screen, const WindowInfo& bar, const Rect& cells)
{
    screen.fill(cells, L' ', Theme::window);
    const auto parts = StatusBarControl::paintedParts(bar.hwnd);
    for (std::size_t part = 0; part < parts.size(); ++part) {
        RECT rect{};
        SendMessageW(bar.hwnd, SB_GETRECT, part, reinterpret_cast<LPARAM>(&rect));
        const Rect partCells = cellsOfClient(bar, rect);
        const Screen::ClipScope clip(screen, {partCells.x, cells.y, partCells.width, 1});
        Style style = bar.enabled ? Theme::window : Theme::disabled;
        for (const PaintOperation& painted : parts[part]) {
            const Rect at = cellsOfClient(bar, painted.rect);
            switch (painted.kind) {
            case PaintOperation::Fill:
                style.bg = NearestTerminalColor(painted.background);
                screen.fill({at.x, cells.y, at.width, 1}, L' ', style);
                break;
            case PaintOperation::Text:
                style.fg = NearestTerminalColor(painted.foreground);
                screen.text(at.x, cells.y, painted.text, style);
                break;
            case PaintOperation::Picture:
                screen.text(at.x, cells.y, painted.text,
                            {NearestTerminalColor(painted.foreground), NearestTerminalColor(painted.background), Attr::Bold});
                break;
            }
        }
    }
}

void DrawToolTip(Screen& screen, const WindowInfo& tip)
{
    const Rect cells = CellGeometry::cellsOf(tip.windowRect);
    screen.fill(cells, L' ', tipStyle);
    screen.frame(cells, tipStyle);
    const Rect inner = cells.inner();
    const Screen::ClipScope clip(screen, inner);
    // The tip was made as many rows high as the shared word wrapping cuts its text into, line
    // breaks included, so the rows drawn are those.
    const std::vector<std::wstring> rows = WordWrap(tip.text, std::max(inner.width, 1));
    for (std::size_t row = 0; row < rows.size(); ++row)
        screen.text(inner.x, inner.y + static_cast<int>(row), rows[row], tipStyle);
}

bool IsToolTip(HWND window) { return EqualsNoCase(Automation::describe(window).className, TOOLTIPS_CLASSW); }
