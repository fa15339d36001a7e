// The "Button" class.
#include "win/ButtonControl.h"

#include "win/ControlSupport.h"
#include "win/DialogNavigation.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowInfo.h"

namespace {

DWORD typeOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & BS_TYPEMASK; }

bool hasCheck(DWORD type)
{
    return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON || type == BS_3STATE ||
           type == BS_AUTO3STATE || type == BS_AUTORADIOBUTTON;
}

LRESULT dialogCode(DWORD type)
{
    switch (type) {
    case BS_DEFPUSHBUTTON:
        return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
    case BS_PUSHBUTTON:
        return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return DLGC_BUTTON | DLGC_RADIOBUTTON;
    case BS_GROUPBOX:
        return DLGC_STATIC;
    default:
        return DLGC_BUTTON;
    }
}

} // namespace

void ButtonControl::click(HWND window)
{
    switch (typeOf(window)) {
    case BS_AUTOCHECKBOX:
        m_check = m_check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        break;
    case BS_AUTO3STATE:
        m_check = (m_check + 1) % 3;
        break;
    case BS_AUTORADIOBUTTON:
        for (HWND other : DialogNavigation::groupOf(window))
            if (other != window && typeOf(other) == BS_AUTORADIOBUTTON)
                SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
        SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
        break;
    default:
        break;
    }
    ControlSupport::notify(window, BN_CLICKED);
}

void ButtonControl::describe(HWND, WindowInfo& info, bool)
{
    info.checkState = m_check;
    info.pushed = m_pushed;
    info.isDefault = (info.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

LRESULT CALLBACK ButtonControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    ButtonControl* self = ControlSupport::state<ButtonControl>(window);
    if (!self)
        return 0;
    const DWORD type = typeOf(window);
    switch (message) {
    case WM_GETDLGCODE:
        return dialogCode(type);
    case WM_NCHITTEST:
        // A group box frames other controls; the mouse reaches them through it.
        return type == BS_GROUPBOX ? HTTRANSPARENT : DefWindowProcW(window, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (type == BS_GROUPBOX)
            return 0;
        SetFocus(window);
        SetCapture(window);
        self->m_pushed = true;
        return 0;
    case WM_LBUTTONUP: {
        if (GetCapture() != window)
            return 0;
        const bool wasPushed = self->m_pushed;
        self->m_pushed = false;
        ReleaseCapture();
        RECT client{};
        GetClientRect(window, &client);
        if (wasPushed && PtInRect(&client, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}))
            self->click(window);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && type != BS_GROUPBOX)
            self->m_pushed = true;
        return 0;
    case WM_KEYUP:
        if (wParam == VK_SPACE && self->m_pushed) {
            self->m_pushed = false;
            self->click(window);
        }
        return 0;
    case WM_SETFOCUS:
        if (GetWindowLongPtrW(window, GWL_STYLE) & BS_NOTIFY)
            ControlSupport::notify(window, BN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        self->m_pushed = false;
        if (GetWindowLongPtrW(window, GWL_STYLE) & BS_NOTIFY)
            ControlSupport::notify(window, BN_KILLFOCUS);
        return 0;
    case BM_GETCHECK:
        return self->m_check;
    case BM_SETCHECK:
        if (hasCheck(type))
            self->m_check = static_cast<UINT>(wParam) & (BST_CHECKED | BST_INDETERMINATE);
        // Tab reaches a radio group at its checked button, as on Windows.
        if (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON) {
            const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
            SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(wParam ? style | WS_TABSTOP : style & ~WS_TABSTOP));
        }
        return 0;
    case BM_GETSTATE:
        return self->m_check | (self->m_pushed ? BST_PUSHED : 0) | (GetFocus() == window ? BST_FOCUS : 0);
    case BM_SETSTATE:
        self->m_pushed = wParam != 0;
        return 0;
    case BM_SETSTYLE: {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
        SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>((style & 0xFFFF0000) | (wParam & 0xFFFF)));
        return 0;
    }
    case BM_CLICK:
        if (IsWindowEnabled(window) && type != BS_GROUPBOX) {
            SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
            SendMessageW(window, WM_LBUTTONUP, 0, 0);
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(WC_BUTTONW, ButtonControl::windowProc);

} // namespace
