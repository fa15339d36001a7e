// The "ToolbarWindow32" class.
#include "win/ToolBarControl.h"

#include "win/ControlSupport.h"
#include "kernel/Resources.h"
#include "win/WinGdi.h"
#include "win/WindowClassRegistry.h"

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
    if (!m_tip.tip())
        return;
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        if (isSeparator(m_buttons[index]))
            continue;
        TOOLINFOW tool = toolOf(window, m_buttons[index].idCommand, itemRect(window, static_cast<int>(index)));
        SendMessageW(m_tip.tip(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
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

LRESULT ToolBarControl::addButtons(HWND window, const TBBUTTON* buttons, int count)
{
    for (int index = 0; index < count; ++index) {
        m_buttons.push_back(buttons[index]);
        if (m_tip.tip() && !isSeparator(buttons[index])) {
            TOOLINFOW tool =
                toolOf(window, buttons[index].idCommand, itemRect(window, static_cast<int>(m_buttons.size()) - 1));
            SendMessageW(m_tip.tip(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    layOut(window);
    return TRUE;
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

LRESULT ToolBarControl::release(HWND window, POINT point)
{
    const int pressed = m_pressed;
    m_pressed = -1;
    ReleaseCapture();
    if (pressed < 0 || pressed >= static_cast<int>(m_buttons.size()))
        return 0;
    TBBUTTON& button = m_buttons[static_cast<std::size_t>(pressed)];
    button.fsState &= static_cast<BYTE>(~TBSTATE_PRESSED);
    if (buttonAt(window, point) != pressed || !isEnabled(button))
        return 0;
    if (button.fsStyle & TBSTYLE_CHECK)
        button.fsState ^= TBSTATE_CHECKED;
    const HWND parent = GetParent(window);
    if (parent)
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button.idCommand), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window));
    return 0;
}

TBBUTTON* ToolBarControl::buttonFor(WPARAM command)
{
    const int index = indexOf(static_cast<int>(command));
    return index < 0 ? nullptr : &m_buttons[static_cast<std::size_t>(index)];
}

LRESULT ToolBarControl::create(HWND window)
{
    if (GetWindowLongPtrW(window, GWL_STYLE) & TBSTYLE_TOOLTIPS)
        m_tip.create(window);
    fitToParent(window);
    return 0;
}

LRESULT ToolBarControl::tipNotify(HWND window, WPARAM wParam, LPARAM lParam) const
{
    // The tool tip asks for a button's text: the parent knows it.
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->hwndFrom == m_tip.tip() && GetParent(window))
        return SendMessageW(GetParent(window), WM_NOTIFY, wParam, lParam);
    return 0;
}

LRESULT ToolBarControl::press(HWND window, POINT point)
{
    const int index = buttonAt(window, point);
    if (index < 0 || !isEnabled(m_buttons[static_cast<std::size_t>(index)]))
        return 0;
    m_pressed = index;
    m_buttons[static_cast<std::size_t>(index)].fsState |= TBSTATE_PRESSED;
    SetCapture(window);
    return 0;
}

LRESULT ToolBarControl::setButtonSize(HWND window, LPARAM lParam)
{
    m_buttonSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
    layOut(window);
    return TRUE;
}

LRESULT ToolBarControl::setIndent(HWND window, int indent)
{
    m_indent = indent;
    layOut(window);
    return TRUE;
}

LRESULT ToolBarControl::deleteButton(HWND window, std::size_t index)
{
    if (index >= m_buttons.size())
        return FALSE;
    const TBBUTTON removed = m_buttons[index];
    m_buttons.erase(m_buttons.begin() + static_cast<std::ptrdiff_t>(index));
    if (m_tip.tip() && !isSeparator(removed)) {
        TOOLINFOW tool = toolOf(window, removed.idCommand, RECT{});
        SendMessageW(m_tip.tip(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    layOut(window);
    return TRUE;
}

LRESULT ToolBarControl::getButton(std::size_t index, TBBUTTON* button) const
{
    if (index >= m_buttons.size() || !button)
        return FALSE;
    *button = m_buttons[index];
    return TRUE;
}

LRESULT ToolBarControl::getItemRect(HWND window, std::size_t index, RECT* rect) const
{
    if (index >= m_buttons.size() || !rect)
        return FALSE;
    *rect = itemRect(window, static_cast<int>(index));
    return TRUE;
}

LRESULT ToolBarControl::setFlag(HWND window, WPARAM command, BYTE flag, bool on)
{
    TBBUTTON* target = buttonFor(command);
    if (!target)
        return FALSE;
    target->fsState = static_cast<BYTE>(on ? target->fsState | flag : target->fsState & ~flag);
    if (flag == TBSTATE_HIDDEN)
        layOut(window);
    return TRUE;
}

LRESULT ToolBarControl::hasFlag(WPARAM command, BYTE flag)
{
    const TBBUTTON* target = buttonFor(command);
    return target && (target->fsState & flag);
}

LRESULT ToolBarControl::setState(HWND window, WPARAM command, BYTE state)
{
    TBBUTTON* target = buttonFor(command);
    if (!target)
        return FALSE;
    // The commands are set again at every change of the run; a state as it was needs no new layout.
    if (target->fsState == state)
        return TRUE;
    target->fsState = state;
    layOut(window);
    return TRUE;
}

LRESULT ToolBarControl::setHotItem(HWND window, std::size_t index)
{
    // The keyboard's attention: the button's tip shows at once, until the attention moves on.
    const int previous = m_hot;
    m_hot = index < m_buttons.size() && !isSeparator(m_buttons[index]) ? static_cast<int>(index) : -1;
    if (m_tip.tip()) {
        TOOLINFOW tool = toolOf(window, m_hot < 0 ? 0 : m_buttons[index].idCommand, RECT{});
        SendMessageW(m_tip.tip(), TTM_TRACKACTIVATE, m_hot >= 0, reinterpret_cast<LPARAM>(&tool));
    }
    return previous;
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
    self->m_tip.relay(window, message, wParam, lParam);
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    const auto on = LOWORD(lParam) != 0;
    switch (message) {
    case WM_CREATE:
        return self->create(window);
    case WM_DESTROY:
        self->m_tip.destroy();
        return 0;
    case WM_NOTIFY:
        return self->tipNotify(window, wParam, lParam);
    case WM_LBUTTONDOWN:
        return self->press(window, point);
    case WM_LBUTTONUP:
        return GetCapture() == window ? self->release(window, point) : 0;
    case WM_MOUSEMOVE:
        self->m_hot = self->buttonAt(window, point);
        return 0;
    case WM_SIZE:
        self->layOut(window);
        break;
    case WM_PRINTCLIENT:
        self->paint(window, reinterpret_cast<HDC>(wParam));
        return 0;
    case TB_BUTTONSTRUCTSIZE:
        return 0;
    case TB_SETBITMAPSIZE:
        self->m_imageSize = SIZE{LOWORD(lParam), HIWORD(lParam)};
        return TRUE;
    case TB_SETBUTTONSIZE:
        return self->setButtonSize(window, lParam);
    case TB_GETBUTTONSIZE:
        return MAKELONG(self->m_buttonSize.cx, self->m_buttonSize.cy);
    case TB_SETINDENT:
        return self->setIndent(window, static_cast<int>(wParam));
    case TB_ADDBITMAP:
        return self->addBitmap(static_cast<int>(wParam), reinterpret_cast<const TBADDBITMAP*>(lParam));
    case TB_ADDBUTTONSW:
        return lParam ? self->addButtons(window, reinterpret_cast<const TBBUTTON*>(lParam), static_cast<int>(wParam)) : FALSE;
    case TB_DELETEBUTTON:
        return self->deleteButton(window, wParam);
    case TB_BUTTONCOUNT:
        return static_cast<LRESULT>(self->m_buttons.size());
    case TB_GETBUTTON:
        return self->getButton(wParam, reinterpret_cast<TBBUTTON*>(lParam));
    case TB_COMMANDTOINDEX:
        return self->indexOf(static_cast<int>(wParam));
    case TB_GETITEMRECT:
        return self->getItemRect(window, wParam, reinterpret_cast<RECT*>(lParam));
    case TB_ENABLEBUTTON:
        return self->setFlag(window, wParam, TBSTATE_ENABLED, on);
    case TB_PRESSBUTTON:
        return self->setFlag(window, wParam, TBSTATE_PRESSED, on);
    case TB_CHECKBUTTON:
        return self->setFlag(window, wParam, TBSTATE_CHECKED, on);
    case TB_HIDEBUTTON:
        return self->setFlag(window, wParam, TBSTATE_HIDDEN, on);
    case TB_ISBUTTONENABLED:
        return self->hasFlag(wParam, TBSTATE_ENABLED);
    case TB_ISBUTTONPRESSED:
        return self->hasFlag(wParam, TBSTATE_PRESSED);
    case TB_ISBUTTONCHECKED:
        return self->hasFlag(wParam, TBSTATE_CHECKED);
    case TB_SETSTATE:
        return self->setState(window, wParam, static_cast<BYTE>(LOWORD(lParam)));
    case TB_GETSTATE:
        return self->buttonFor(wParam) ? self->buttonFor(wParam)->fsState : -1;
    case TB_AUTOSIZE:
        self->fitToParent(window);
        return 0;
    case TB_GETTOOLTIPS:
        return reinterpret_cast<LRESULT>(self->m_tip.tip());
    case TB_SETTOOLTIPS:
        self->m_tip.set(reinterpret_cast<HWND>(wParam));
        return 0;
    case TB_GETHOTITEM:
        return self->m_hot;
    case TB_SETHOTITEM:
        return self->setHotItem(window, wParam);
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(TOOLBARCLASSNAMEW, ToolBarControl::windowProc);

} // namespace
