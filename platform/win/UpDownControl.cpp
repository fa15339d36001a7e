// The "msctls_updown32" class.
#include "win/UpDownControl.h"

#include "win/CommCtrl.h"
#include "win/ControlSupport.h"
#include "win/WindowClassRegistry.h"

#include <algorithm>
#include <cwchar>

namespace {

const wchar_t* const buddyOwnerProperty = L"UpDownOwner";
const wchar_t* const buddyProcedureProperty = L"UpDownBuddyProc";

DWORD styleOf(HWND window) { return static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)); }

std::wstring withThousands(int value)
{
    std::wstring digits = std::to_wstring(value < 0 ? -static_cast<long long>(value) : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), L",");
    return value < 0 ? L"-" + digits : digits;
}

} // namespace

int UpDownControl::clamp(int position) const
{
    return std::clamp(position, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

bool UpDownControl::readBuddy()
{
    if (!m_buddy)
        return true;
    std::wstring text = ControlSupport::text(m_buddy);
    std::erase(text, L',');
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (text.empty() || !end || *end != L'\0' || value != clamp(static_cast<int>(value)))
        return false;
    m_position = static_cast<int>(value);
    return true;
}

void UpDownControl::showInBuddy(HWND window) const
{
    if (!m_buddy || !(styleOf(window) & UDS_SETBUDDYINT))
        return;
    const std::wstring text = (styleOf(window) & UDS_NOTHOUSANDS) ? std::to_wstring(m_position) : withThousands(m_position);
    SetWindowTextW(m_buddy, text.c_str());
}

void UpDownControl::releaseBuddy()
{
    if (!m_buddy || !IsWindow(m_buddy))
        return;
    if (const HANDLE previous = RemovePropW(m_buddy, buddyProcedureProperty))
        SetWindowLongPtrW(m_buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
    RemovePropW(m_buddy, buddyOwnerProperty);
}

HWND UpDownControl::setBuddy(HWND window, HWND buddy)
{
    const HWND previous = m_buddy;
    releaseBuddy();
    m_buddy = IsWindow(buddy) ? buddy : nullptr;
    if (!m_buddy)
        return previous;
    const DWORD style = styleOf(window);
    if (style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) {
        // The arrows take the buddy's edge: the buddy shrinks by their width.
        RECT buddyRect{};
        RECT ownRect{};
        GetWindowRect(m_buddy, &buddyRect);
        GetWindowRect(window, &ownRect);
        const HWND parent = GetAncestor(window, GA_PARENT);
        MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&buddyRect), 2);
        const LONG width = ownRect.right - ownRect.left;
        const LONG buddyWidth = std::max<LONG>(buddyRect.right - buddyRect.left - width, 0);
        const bool right = style & UDS_ALIGNRIGHT;
        MoveWindow(m_buddy, right ? buddyRect.left : buddyRect.left + width, buddyRect.top, buddyWidth,
                   buddyRect.bottom - buddyRect.top, TRUE);
        MoveWindow(window, right ? buddyRect.left + buddyWidth : buddyRect.left, buddyRect.top, width,
                   buddyRect.bottom - buddyRect.top, TRUE);
    }
    if (style & UDS_ARROWKEYS) {
        SetPropW(m_buddy, buddyOwnerProperty, window);
        SetPropW(m_buddy, buddyProcedureProperty,
                 reinterpret_cast<HANDLE>(SetWindowLongPtrW(m_buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(buddyProc))));
    }
    showInBuddy(window);
    return previous;
}

void UpDownControl::step(HWND window, int direction)
{
    if (styleOf(window) & UDS_SETBUDDYINT)
        readBuddy();
    // Up runs towards the upper end, even when that end is the smaller number.
    const int delta = m_upper >= m_lower ? direction : -direction;
    NMUPDOWN change{{window, static_cast<UINT_PTR>(GetDlgCtrlID(window)), UDN_DELTAPOS}, m_position, delta};
    const HWND parent = GetParent(window);
    if (SendMessageW(parent, WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change)) || !IsWindow(window))
        return;
    int position = m_position + change.iDelta;
    const int low = std::min(m_lower, m_upper);
    const int high = std::max(m_lower, m_upper);
    if (styleOf(window) & UDS_WRAP)
        position = position > high ? low : position < low ? high : position;
    position = std::clamp(position, low, high);
    if (position == m_position)
        return;
    m_position = position;
    showInBuddy(window);
    const UINT scroll = (styleOf(window) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessageW(parent, scroll, MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(window));
    SendMessageW(parent, scroll, MAKEWPARAM(SB_ENDSCROLL, static_cast<WORD>(position)), reinterpret_cast<LPARAM>(window));
}

LRESULT CALLBACK UpDownControl::buddyProc(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto owner = static_cast<HWND>(GetPropW(buddy, buddyOwnerProperty));
    const auto previous = reinterpret_cast<WNDPROC>(GetPropW(buddy, buddyProcedureProperty));
    if (message == WM_KEYDOWN && (wParam == VK_UP || wParam == VK_DOWN) && IsWindowEnabled(owner)) {
        if (UpDownControl* self = ControlSupport::state<UpDownControl>(owner)) {
            self->step(owner, wParam == VK_UP ? 1 : -1);
            return 0;
        }
    }
    return previous ? CallWindowProcW(previous, buddy, message, wParam, lParam) : DefWindowProcW(buddy, message, wParam, lParam);
}

LRESULT CALLBACK UpDownControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    UpDownControl* self = ControlSupport::state<UpDownControl>(window);
    if (!self)
        return 0;
    switch (message) {
    case WM_CREATE:
        if (styleOf(window) & UDS_AUTOBUDDY)
            self->setBuddy(window, GetWindow(window, GW_HWNDPREV));
        return 0;
    case WM_DESTROY:
        self->releaseBuddy();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN: {
        RECT client{};
        GetClientRect(window, &client);
        const bool up = (styleOf(window) & UDS_HORZ) ? GET_X_LPARAM(lParam) >= client.right / 2
                                                      : GET_Y_LPARAM(lParam) < client.bottom / 2;
        self->step(window, up ? 1 : -1);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN || wParam == VK_LEFT || wParam == VK_RIGHT)
            self->step(window, wParam == VK_UP || wParam == VK_RIGHT ? 1 : -1);
        return 0;
    case UDM_SETRANGE:
        self->m_upper = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
        self->m_lower = static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(lParam)));
        return 0;
    case UDM_GETRANGE:
        return MAKELRESULT(static_cast<WORD>(self->m_upper), static_cast<WORD>(self->m_lower));
    case UDM_SETRANGE32:
        self->m_lower = static_cast<int>(wParam);
        self->m_upper = static_cast<int>(lParam);
        return 0;
    case UDM_GETRANGE32:
        if (wParam)
            *reinterpret_cast<int*>(wParam) = self->m_lower;
        if (lParam)
            *reinterpret_cast<int*>(lParam) = self->m_upper;
        return 0;
    case UDM_SETPOS:
    case UDM_SETPOS32: {
        const int previous = self->m_position;
        const int wanted = message == UDM_SETPOS ? static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)))
                                                 : static_cast<int>(lParam);
        self->m_position = self->clamp(wanted);
        self->showInBuddy(window);
        return previous;
    }
    case UDM_GETPOS: {
        const bool read = !(styleOf(window) & UDS_SETBUDDYINT) || self->readBuddy();
        return MAKELRESULT(static_cast<WORD>(self->m_position), read ? 0 : 1);
    }
    case UDM_GETPOS32: {
        const bool read = !(styleOf(window) & UDS_SETBUDDYINT) || self->readBuddy();
        if (lParam)
            *reinterpret_cast<BOOL*>(lParam) = read ? FALSE : TRUE;
        return self->m_position;
    }
    case UDM_SETBUDDY:
        return reinterpret_cast<LRESULT>(self->setBuddy(window, reinterpret_cast<HWND>(wParam)));
    case UDM_GETBUDDY:
        return reinterpret_cast<LRESULT>(self->m_buddy);
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(UPDOWN_CLASSW, UpDownControl::windowProc);

} // namespace
