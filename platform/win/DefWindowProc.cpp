// DefWindowProcW, CallWindowProcW and the window's stored values (Get/SetWindowLongPtrW).
#include "kernel/FileApi.h"
#include "kernel/Resources.h"
#include "win/Activation.h"
#include "win/WinGdi.h"
#include "win/WindowGeometry.h"
#include "win/WindowTable.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

namespace {

LRESULT copyText(const std::wstring& text, WPARAM capacity, LPARAM buffer)
{
    auto* target = reinterpret_cast<LPWSTR>(buffer);
    if (!target || capacity == 0)
        return 0;
    const auto count = std::min<std::size_t>(text.size(), capacity - 1);
    std::wmemcpy(target, text.data(), count);
    target[count] = L'\0';
    return static_cast<LRESULT>(count);
}

LRESULT defaultColors(UINT message, WPARAM dc)
{
    const bool isField = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
    const int background = isField ? COLOR_WINDOW : COLOR_3DFACE;
    SetTextColor(reinterpret_cast<HDC>(dc), GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(background));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(background));
}

LRESULT hitTest(HWND window, LPARAM point)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    const POINT screenPoint{GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    if (!PtInRect(&rect, screenPoint))
        return HTNOWHERE;
    POINT clientPoint = screenPoint;
    ScreenToClient(window, &clientPoint);
    RECT client{};
    GetClientRect(window, &client);
    if (PtInRect(&client, clientPoint))
        return HTCLIENT;
    return clientPoint.y < 0 && screenPoint.y < rect.top + WindowGeometry::cellHeight ? HTCAPTION : HTBORDER;
}

} // namespace

LRESULT DefWindowProcW(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    Window* window = WindowTable::instance().find(handle);
    if (!window)
        return 0;
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (create && create->lpszName && !IS_INTRESOURCE(create->lpszName))
            window->text = create->lpszName;
        return TRUE;
    }
    case WM_SETTEXT:
        window->text = lParam ? reinterpret_cast<LPCWSTR>(lParam) : L"";
        return TRUE;
    case WM_GETTEXT:
        return copyText(window->text, wParam, lParam);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(window->text.size());
    case WM_CLOSE:
        DestroyWindow(handle);
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            SendMessageW(handle, WM_CLOSE, 0, 0);
        return 0;
    case WM_KEYF1: {
        HELPINFO help{sizeof(HELPINFO), HELPINFO_WINDOW, static_cast<int>(GetWindowLongPtrW(handle, GWLP_ID)), handle, 0, {}};
        SendMessageW(handle, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
        return 0;
    }
    case WM_HELP:
        // Unhandled, help goes to the parent of a child window, as on Windows.
        if (window->parent)
            return SendMessageW(window->parent, message, wParam, lParam);
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_F4)
            PostMessageW(GetAncestor(handle, GA_ROOT), WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !Activation::restoreFocus(handle))
            SetFocus(handle);
        return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return defaultColors(message, wParam);
    case WM_NCHITTEST:
        return hitTest(handle, lParam);
    case WM_CONTEXTMENU:
    case WM_MOUSEWHEEL:
        // Unhandled, both go up to the parent, as on Windows.
        if (window->parent)
            return SendMessageW(window->parent, message, wParam, lParam);
        return 0;
    default:
        return 0;
    }
}

LRESULT CallWindowProcW(WNDPROC procedure, HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    return WindowTable::instance().call(procedure, handle, message, wParam, lParam);
}

namespace {

constexpr DWORD ERROR_INVALID_INDEX = 1413;

LONG_PTR* extraSlot(Window& window, int index)
{
    constexpr int slotSize = static_cast<int>(sizeof(LONG_PTR));
    if (index < 0 || index % slotSize != 0 || static_cast<std::size_t>(index / slotSize) >= window.extra.size()) {
        SetLastError(ERROR_INVALID_INDEX);
        return nullptr;
    }
    return &window.extra[static_cast<std::size_t>(index / slotSize)];
}

} // namespace

LONG_PTR GetWindowLongPtrW(HWND handle, int index)
{
    Window* window = WindowTable::instance().find(handle);
    if (!window)
        return 0;
    switch (index) {
    case GWLP_WNDPROC:
        return reinterpret_cast<LONG_PTR>(window->procedure);
    case GWLP_HINSTANCE:
        return reinterpret_cast<LONG_PTR>(window->instance);
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(window->parent ? window->parent : window->owner);
    case GWLP_ID:
        return static_cast<LONG_PTR>(window->id);
    case GWL_STYLE:
        return static_cast<LONG_PTR>(window->style);
    case GWL_EXSTYLE:
        return static_cast<LONG_PTR>(window->exStyle);
    case GWLP_USERDATA:
        return window->userData;
    default: {
        const LONG_PTR* slot = extraSlot(*window, index);
        return slot ? *slot : 0;
    }
    }
}

LONG_PTR SetWindowLongPtrW(HWND handle, int index, LONG_PTR value)
{
    Window* window = WindowTable::instance().find(handle);
    if (!window)
        return 0;
    const LONG_PTR previous = GetWindowLongPtrW(handle, index);
    switch (index) {
    case GWLP_WNDPROC:
        window->procedure = reinterpret_cast<WNDPROC>(value);
        break;
    case GWLP_HINSTANCE:
        window->instance = reinterpret_cast<HINSTANCE>(value);
        break;
    case GWLP_HWNDPARENT:
        if (!window->parent)
            window->owner = reinterpret_cast<HWND>(value);
        break;
    case GWLP_ID:
        window->id = static_cast<UINT_PTR>(value);
        break;
    case GWL_STYLE:
        window->style = static_cast<DWORD>(value);
        break;
    case GWL_EXSTYLE:
        window->exStyle = static_cast<DWORD>(value);
        break;
    case GWLP_USERDATA:
        window->userData = value;
        break;
    default:
        if (LONG_PTR* slot = extraSlot(*window, index))
            *slot = value;
        break;
    }
    return previous;
}

LONG GetWindowLongW(HWND handle, int index) { return static_cast<LONG>(GetWindowLongPtrW(handle, index)); }
