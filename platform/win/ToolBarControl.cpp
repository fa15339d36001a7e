// The "ToolbarWindow32" class.
#include "win/ToolBarControl.h"

#include "win/ControlSupport.h"
#include "kernel/Resources.h"
#include "win/WinGdi.h"

namespace {

constexpr int kSeparatorWidth = 8;

bool isSeparator(const TBBUTTON& button) { return (button.fsStyle & TBSTYLE_SEP) != 0; }
bool isHidden(const TBBUTTON& button) { return (button.fsState & TBSTATE_HIDDEN) != 0; }
bool isEnabled(const TBBUTTON& button) { return (button.fsState & TBSTATE_ENABLED) != 0; }

LONG rowHeight() { return HIWORD(GetDialogBaseUnits()); }

TOOLINFOW toolOf(HWND window, int command, RECT rect)
{
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window;
    tool.uId = static_cast<UINT_PTR>(command);
    tool.rect = rect;
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    return tool;
}

} // namespace

int ToolBarControl::indexOf(int command) const
{
    for (std::size_t index = 0; index < m_buttons.size(); ++index)
        if (!isSeparator(m_buttons[index]) && m_buttons[index].idCommand == command)
            return static_cast<int>(index);
    return -1;
}

RECT ToolBarControl::itemRect(HWND window, int index) const
{
    RECT client{};
    GetClientRect(window, &client);
    LONG left = m_indent;
    for (int current = 0; current <= index; ++current) {
        const TBBUTTON& button = m_buttons[static_cast<std::size_t>(current)];
        const LONG width = isHidden(button) ? 0 : isSeparator(button) ? kSeparatorWidth : m_buttonSize.cx;
        if (current == index)
            return RECT{left, 0, left + width, client.bottom};
        left += width;
    }
    return RECT{};
}

int ToolBarControl::buttonAt(HWND window, POINT point) const
{
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        const RECT rect = itemRect(window, static_cast<int>(index));
        if (!isSeparator(m_buttons[index]) && PtInRect(&rect, point))
            return static_cast<int>(index);
    }
    return -1;
}

// The tool tip's rectangles follow the buttons.
void ToolBarControl::layOut(HWND window)
{
    if (!m_toolTip)
        return;
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        if (isSeparator(m_buttons[index]))
            continue;
        TOOLINFOW tool = toolOf(window, m_buttons[index].idCommand, itemRect(window, static_cast<int>(index)));
        SendMessageW(m_toolTip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// Unless told otherwise, a bar spans its parent's width at the top (or the bottom), one row high.
void ToolBarControl::fitToParent(HWND window)
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const HWND parent = GetParent(window);
    if ((style & CCS_NORESIZE) || !parent)
        return;
    RECT client{};
    GetClientRect(parent, &client);
    RECT rect{};
    GetWindowRect(window, &rect);
    POINT topLeft{rect.left, rect.top};
    ScreenToClient(parent, &topLeft);
    LONG top = topLeft.y;
    if (!(style & CCS_NOPARENTALIGN))
        top = (style & CCS_BOTTOM) == CCS_BOTTOM ? client.bottom - rowHeight() : 0;
    MoveWindow(window, 0, top, client.right, rowHeight(), TRUE);
    layOut(window);
}

void ToolBarControl::addButtons(HWND window, const TBBUTTON* buttons, int count)
{
    for (int index = 0; index < count; ++index) {
        m_buttons.push_back(buttons[index]);
        if (m_toolTip && !isSeparator(buttons[index])) {
            TOOLINFOW tool =
                toolOf(window, buttons[index].idCommand, itemRect(window, static_cast<int>(m_buttons.size()) - 1));
            SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    layOut(window);
}

LRESULT ToolBarControl::addBitmap(int images, const TBADDBITMAP* added)
{
    if (!added || images <= 0)
        return -1;
    const HBITMAP bitmap = added->hInst ? LoadBitmapW(added->hInst, MAKEINTRESOURCEW(static_cast<WORD>(added->nID)))
                                        : reinterpret_cast<HBITMAP>(added->nID);
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info))
        return -1;
    // One strip holds every image: the bar shows images from the first bitmap it was given.
    if (!m_bitmap)
        m_bitmap = bitmap;
    const int first = m_images;
    m_images += images;
    return first;
}

// Each visible button's image, centred in the button, copied from the strip.
void ToolBarControl::paint(HWND window, HDC dc) const
{
    const HDC strip = CreateCompatibleDC(dc);
    SelectObject(strip, m_bitmap);
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        const TBBUTTON& button = m_buttons[index];
        if (isSeparator(button) || isHidden(button) || button.iBitmap < 0 || button.iBitmap >= m_images)
            continue;
        const RECT rect = itemRect(window, static_cast<int>(index));
        const LONG left = rect.left + (rect.right - rect.left - m_imageSize.cx) / 2;
        BitBlt(dc, left, rect.top, m_imageSize.cx, rect.bottom - rect.top, strip, button.iBitmap * m_imageSize.cx, 0, SRCCOPY);
    }
    DeleteDC(strip);
}

void ToolBarControl::release(HWND window, POINT point)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    ReleaseCapture();
    if (pressed < 0 || pressed >= static_cast<int>(m_buttons.size()))
        return;
    TBBUTTON& button = m_buttons[static_cast<std::size_t>(pressed)];
    button.fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
    if (buttonAt(window, point) != pressed || !isEnabled(button))
        return;
    if (button.fsStyle & TBSTYLE_CHECK)
        button.fsState ^= TBSTATE_CHECKED;
    const HWND parent = GetParent(window);
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button.idCommand), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window));
}

std::wstring ToolBarControl::states(HWND)
{
    std::wstring buttons;
    for (const TBBUTTON& button : m_buttons) {
        if (!buttons.empty())
            buttons += L", ";
        if (isSeparator(button)) {
            buttons += L"|";
            continue;
        }
        buttons += std::to_wstring(button.idCommand);
        if (!isEnabled(button))
            buttons += L" greyed";
        if (button.fsState & TBSTATE_PRESSED)
            buttons += L" pressed";
        if (button.fsState & TBSTATE_CHECKED)
            buttons += L" checked";
        if (isHidden(button))
            buttons += L" hidden";
    }
    return L"buttons={" + buttons + L"}";
}

LRESULT CALLBACK ToolBarControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    ToolBarControl* self = ControlSupport::state<ToolBarControl>(window);
    if (!self)
        return 0;
    if (self->m_toolTip && message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) {
        MSG relayed{window, message, wParam, lParam, 0, {}};
        SendMessageW(self->m_toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
    auto button = [self](WPARAM command) -> TBBUTTON* {
        const int index = self->indexOf(static_cast<int>(command));
        return index < 0 ? nullptr : &self->m_buttons[static_cast<std::size_t>(index)];
    };
    auto setState = [&](BYTE flag, bool on) -> LRESULT {
        TBBUTTON* target = button(wParam);
        if (!target)
            return FALSE;
        target->fsState = static_cast<BYTE>(on ? target->fsState | flag : target->fsState & ~flag);
        if (flag == TBSTATE_HIDDEN)
            self->layOut(window);
        return TRUE;
    };
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_CREATE:
        if (GetWindowLongPtrW(window, GWL_STYLE) & TBSTYLE_TOOLTIPS)
            self->m_toolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, L"", WS_POPUP | WS_BORDER, 0, 0, 0, 0,
                                              GetAncestor(window, GA_ROOT), nullptr, nullptr, nullptr);
        self->fitToParent(window);
        return 0;
    case WM_DESTROY:
        if (self->m_toolTip)
            DestroyWindow(self->m_toolTip);
        self->m_toolTip = nullptr;
        return 0;
    case WM_NOTIFY:
        // The tool tip asks for a button's text: the parent knows it.
        if (const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            header && header->hwndFrom == self->m_toolTip && GetParent(window))
            return SendMessageW(GetParent(window), WM_NOTIFY, wParam, lParam);
        return 0;
    case WM_LBUTTONDOWN: {
        const int index = self->buttonAt(window, point);
        if (index < 0 || !isEnabled(self->m_buttons[static_cast<std::size_t>(index)]))
            return 0;
        self->m_pressed = index;
        self->m_buttons[static_cast<std::size_t>(index)].fsState |= TBSTATE_PRESSED;
        SetCapture(window);
        return 0;
    }
    case WM_LBUTTONUP:
        if (GetCapture() == window)
            self->release(window, point);
        return 0;
    case WM_MOUSEMOVE:
        self->m_hot = self->buttonAt(window, point);
        return 0;
    case WM_SIZE:
        self->layOut(window);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_PRINTCLIENT:
        self->paint(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case TB_BUTTONSTRUCTSIZE:
        return 0;
    case TB_SETBITMAPSIZE:
        self->m_imageSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
        return TRUE;
    case TB_SETBUTTONSIZE:
        self->m_buttonSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
        self->layOut(window);
        return TRUE;
    case TB_GETBUTTONSIZE:
        return MAKELONG(self->m_buttonSize.cx, self->m_buttonSize.cy);
    case TB_SETINDENT:
        self->m_indent = static_cast<int>(wParam);
        self->layOut(window);
        return TRUE;
    case TB_ADDBITMAP:
        return self->addBitmap(static_cast<int>(wParam), reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_ADDBUTTONSW:
        if (!lParam)
            return FALSE;
        self->addButtons(window, reinterpret_cast<const TBBUTTON*>(lParam), static_cast<int>(wParam));
        return TRUE;
    case TB_DELETEBUTTON: {
        if (wParam >= self->m_buttons.size())
            return FALSE;
        const TBBUTTON removed = self->m_buttons[wParam];
        self->m_buttons.erase(self->m_buttons.begin() + static_cast<std::ptrdiff_t>(wParam));
        if (self->m_toolTip && !isSeparator(removed)) {
            TOOLINFOW tool = toolOf(window, removed.idCommand, RECT{});
            SendMessageW(self->m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        self->layOut(window);
        return TRUE;
    }
    case TB_BUTTONCOUNT:
        return static_cast<LRESULT>(self->m_buttons.size());
    case TB_GETBUTTON:
        if (wParam >= self->m_buttons.size() || !lParam)
            return FALSE;
        *reinterpret_cast<TBBUTTON*>(lParam) = self->m_buttons[wParam];
        return TRUE;
    case TB_COMMANDTOINDEX:
        return self->indexOf(static_cast<int>(wParam));
    case TB_GETITEMRECT:
        if (wParam >= self->m_buttons.size() || !lParam)
            return FALSE;
        *reinterpret_cast<RECT*>(lParam) = self->itemRect(window, static_cast<int>(wParam));
        return TRUE;
    case TB_ENABLEBUTTON:
        return setState(TBSTATE_ENABLED, LOWORD(lParam) != 0);
    case TB_PRESSBUTTON:
        return setState(TBSTATE_PRESSED, LOWORD(lParam) != 0);
    case TB_CHECKBUTTON:
        return setState(TBSTATE_CHECKED, LOWORD(lParam) != 0);
    case TB_HIDEBUTTON:
        return setState(TBSTATE_HIDDEN, LOWORD(lParam) != 0);
    case TB_ISBUTTONENABLED:
        return button(wParam) && isEnabled(*button(wParam));
    case TB_ISBUTTONPRESSED:
        return button(wParam) && (button(wParam)->fsState & TBSTATE_PRESSED);
    case TB_ISBUTTONCHECKED:
        return button(wParam) && (button(wParam)->fsState & TBSTATE_CHECKED);
    case TB_SETSTATE:
        if (TBBUTTON* target = button(wParam)) {
            target->fsState = static_cast<BYTE>(LOWORD(lParam));
            self->layOut(window);
            return TRUE;
        }
        return FALSE;
    case TB_GETSTATE:
        return button(wParam) ? button(wParam)->fsState : -1;
    case TB_AUTOSIZE:
        self->fitToParent(window);
        return 0;
    case TB_GETTOOLTIPS:
        return reinterpret_cast<LRESULT>(self->m_toolTip);
    case TB_SETTOOLTIPS:
        self->m_toolTip = reinterpret_cast<HWND>(wParam);
        return 0;
    case TB_GETHOTITEM:
        return self->m_hot;
    case TB_SETHOTITEM: {
        // The keyboard's attention: the button's tip shows at once, until the attention moves on.
        const int previous = self->m_hot;
        const auto index = static_cast<std::size_t>(wParam);
        self->m_hot = index < self->m_buttons.size() && !isSeparator(self->m_buttons[index]) ? static_cast<int>(index) : -1;
        if (self->m_toolTip) {
            TOOLINFOW tool = toolOf(window, self->m_hot < 0 ? 0 : self->m_buttons[index].idCommand, RECT{});
            SendMessageW(self->m_toolTip, TTM_TRACKACTIVATE, self->m_hot >= 0, reinterpret_cast<LPARAM>(&tool));
        }
        return previous;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
