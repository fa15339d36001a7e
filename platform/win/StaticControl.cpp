// The "Static" class.
#include "win/StaticControl.h"

#include "win/ControlSupport.h"
#include "win/IconTable.h"
#include "win/WindowClassRegistry.h"
#include "win/WindowInfo.h"

namespace {

constexpr WPARAM IMAGE_ICON = 1;

bool isIcon(HWND window) { return (GetWindowLongPtrW(window, GWL_STYLE) & SS_TYPEMASK) == SS_ICON; }

} // namespace

void StaticControl::describe(HWND, WindowInfo& info, bool)
{
    if ((info.style & SS_TYPEMASK) == SS_ICON)
        info.iconName = IconTable::instance().nameOf(m_icon);
}

LRESULT CALLBACK StaticControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ControlSupport::handleFont(window, message, wParam, result))
        return result;
    StaticControl* self = ControlSupport::state<StaticControl>(window);
    if (!self)
        return 0;
    const bool notifies = (GetWindowLongPtrW(window, GWL_STYLE) & SS_NOTIFY) != 0;
    switch (message) {
    case WM_NCCREATE: {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        if (isIcon(window) && create && create->lpszName) {
            // An icon static names its icon instead of showing text.
            if (const LPCWSTR name = IconTable::resourceName(create->lpszName))
                self->m_icon = LoadIconW(create->hInstance, name);
            return TRUE;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCHITTEST:
        return notifies ? DefWindowProcW(window, message, wParam, lParam) : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
        if (notifies)
            ControlSupport::notify(window, STN_CLICKED);
        return 0;
    case STM_SETICON: {
        const HICON previous = self->m_icon;
        self->m_icon = reinterpret_cast<HICON>(wParam);
        return reinterpret_cast<LRESULT>(previous);
    }
    case STM_GETICON:
        return reinterpret_cast<LRESULT>(self->m_icon);
    case STM_SETIMAGE:
        return wParam == IMAGE_ICON ? SendMessageW(window, STM_SETICON, static_cast<WPARAM>(lParam), 0) : 0;
    case STM_GETIMAGE:
        return wParam == IMAGE_ICON ? reinterpret_cast<LRESULT>(self->m_icon) : 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

namespace {

[[maybe_unused]] const bool registered = WindowClassRegistry::addSystemClass(WC_STATICW, StaticControl::windowProc);

} // namespace
