// The "tooltips_class32" class.
#include "win/ToolTipControl.h"

#include "win/ControlSupport.h"
#include "win/WindowClassRegistry.h"
#include "win/WordWrap.h"

#include <algorithm>

namespace {

bool isButtonMessage(UINT message)
{
    return message == WM_LBUTTONDOWN || message == WM_LBUTTONUP || message == WM_RBUTTONDOWN ||
           message == WM_RBUTTONUP || message == WM_LBUTTONDBLCLK;
}

} // namespace

int ToolTipControl::find(const TOOLINFOW& info) const
{
    for (std::size_t index = 0; index < m_tools.size(); ++index)
        if (m_tools[index].window == info.hwnd && m_tools[index].id == info.uId)
            return static_cast<int>(index);
    return -1;
}

int ToolTipControl::toolAt(const MSG& message) const
{
    const POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
    for (std::size_t index = 0; index < m_tools.size(); ++index) {
        const Tool& tool = m_tools[index];
        const bool hit = (tool.flags & TTF_IDISHWND) ? reinterpret_cast<HWND>(tool.id) == message.hwnd
                                                     : tool.window == message.hwnd && PtInRect(&tool.rect, point);
        if (hit)
            return static_cast<int>(index);
    }
    return -1;
}

void ToolTipControl::relay(HWND window, const MSG& message)
{
    if (isButtonMessage(message.message)) {
        hide(window);
        return;
    }
    if (message.message != WM_MOUSEMOVE || !m_active)
        return;
    const int tool = toolAt(message);
    if (tool == m_resting)
        return;
    hide(window);
    m_resting = tool;
    if (tool >= 0)
        SetTimer(window, restTimer, restDelayMs, nullptr);
}

std::wstring ToolTipControl::textOf(HWND window, const Tool& tool) const
{
    if (tool.text != LPSTR_TEXTCALLBACKW)
        return tool.ownText;
    NMTTDISPINFOW request{};
    request.hdr = NMHDR{window, tool.id, TTN_GETDISPINFOW};
    request.lpszText = request.szText;
    request.uFlags = tool.flags;
    request.lParam = tool.lParam;
    SendMessageW(tool.window, WM_NOTIFY, tool.id, reinterpret_cast<LPARAM>(&request));
    if (!request.lpszText || request.lpszText == LPSTR_TEXTCALLBACKW)
        return {};
    return request.lpszText;
}

bool ToolTipControl::mouseOn(const Tool& tool) const
{
    POINT cursor{};
    GetCursorPos(&cursor);
    const HWND under = WindowFromPoint(cursor);
    if (tool.flags & TTF_IDISHWND)
        return under == reinterpret_cast<HWND>(tool.id);
    if (under != tool.window)
        return false;
    ScreenToClient(tool.window, &cursor);
    return PtInRect(&tool.rect, cursor) != FALSE;
}

void ToolTipControl::show(HWND window, int tool, bool underTool)
{
    // A copy: asking for the text may change the tools.
    const Tool shown = m_tools[static_cast<std::size_t>(tool)];
    const std::wstring text = textOf(window, shown);
    if (!IsWindow(window) || text.empty())
        return;
    SetWindowTextW(window, text.c_str());
    // Just below the mouse (or the tool), framed: a character cell each side and a row above and
    // below. A line break starts a row, a line wider than the screen goes on over more rows; the
    // tip stays on the screen.
    POINT cursor{};
    GetCursorPos(&cursor);
    const LONG cellWidth = LOWORD(GetDialogBaseUnits());
    const LONG cellHeight = HIWORD(GetDialogBaseUnits());
    if (underTool) {
        cursor = POINT{shown.rect.left, shown.rect.bottom - cellHeight};
        ClientToScreen(shown.window, &cursor);
    }
    const LONG screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const LONG screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const std::vector<std::wstring> rows = WordWrap(text, static_cast<int>(std::max<LONG>(screenWidth / cellWidth - 2, 1)));
    std::size_t widest = 1;
    for (const std::wstring& row : rows)
        widest = std::max(widest, row.size());
    const LONG width = (static_cast<LONG>(widest) + 2) * cellWidth;
    const LONG height = (static_cast<LONG>(rows.size()) + 2) * cellHeight;
    LONG top = cursor.y + cellHeight;
    if (top + height > screenHeight)
        top = std::max<LONG>(cursor.y - height, 0);
    const LONG left = std::clamp<LONG>(cursor.x, 0, std::max<LONG>(screenWidth - width, 0));
    SetWindowPos(window, HWND_TOPMOST, left, top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    if (underTool)
        return;
    SetTimer(window, leaveTimer, leaveCheckMs, nullptr);
    SetTimer(window, popTimer, popDelayMs, nullptr);
}

void ToolTipControl::hide(HWND window)
{
    for (UINT_PTR timer : {restTimer, leaveTimer, popTimer})
        KillTimer(window, timer);
    m_resting = -1;
    if (IsWindowVisible(window))
        ShowWindow(window, SW_HIDE);
}

LRESULT CALLBACK ToolTipControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    ToolTipControl* self = ControlSupport::state<ToolTipControl>(window);
    if (!self)
        return 0;
    switch (message) {
    case WM_NCHITTEST:
        // A tip never takes the mouse from what lies under it.
        return HTTRANSPARENT;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        self->hide(window);
        return 0;
    case TTM_ADDTOOLW:
    case TTM_NEWTOOLRECTW: {
        const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
        if (!info)
            return FALSE;
        const int existing = self->find(*info);
        if (message == TTM_NEWTOOLRECTW) {
            if (existing >= 0)
                self->m_tools[static_cast<std::size_t>(existing)].rect = info->rect;
            return 0;
        }
        if (existing >= 0)
            return FALSE;
        const bool callback = info->lpszText == LPSTR_TEXTCALLBACKW;
        self->m_tools.push_back(Tool{info->uFlags, info->hwnd, info->uId, info->rect, callback ? LPSTR_TEXTCALLBACKW : nullptr,
                                     callback || !info->lpszText ? std::wstring() : std::wstring(info->lpszText), info->lParam});
        return TRUE;
    }
    case TTM_DELTOOLW:
        if (const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam); info && self->find(*info) >= 0) {
            self->hide(window);
            self->m_tools.erase(self->m_tools.begin() + self->find(*info));
        }
        return 0;
    case TTM_GETTOOLCOUNT:
        return static_cast<LRESULT>(self->m_tools.size());
    case TTM_ACTIVATE:
        self->m_active = wParam != 0;
        if (!self->m_active)
            self->hide(window);
        return 0;
    case TTM_POP:
        self->hide(window);
        return 0;
    case TTM_TRACKACTIVATE: {
        self->hide(window);
        const auto* info = reinterpret_cast<const TOOLINFOW*>(lParam);
        const int tool = info ? self->find(*info) : -1;
        if (wParam && tool >= 0) {
            self->m_resting = tool;
            self->show(window, tool, true);
        }
        return 0;
    }
    case TTM_RELAYEVENT:
        if (const auto* relayed = reinterpret_cast<const MSG*>(lParam))
            self->relay(window, *relayed);
        return 0;
    case WM_TIMER:
        if (wParam == popTimer ||
            (wParam == leaveTimer && (self->m_resting < 0 || !self->mouseOn(self->m_tools[static_cast<std::size_t>(self->m_resting)])))) {
            self->hide(window);
            return 0;
        }
        if (wParam != restTimer)
            return 0;
        KillTimer(window, restTimer);
        if (self->m_resting >= 0 && !IsWindowVisible(window))
            self->show(window, self->m_resting);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(TOOLTIPS_CLASSW, ToolTipControl::windowProc);

} // namespace
