// The registered window classes and the Win32 calls that register and query them.
#include "win/WindowClassRegistry.h"

#include "kernel/FileApi.h"
#include "kernel/Resources.h"
#include "kernel/Text.h"

#include <algorithm>

namespace {

// Only the classes that tell a double click from two clicks take double clicks (CS_DBLCLKS).
WindowClass systemClass(LPCWSTR name, WNDPROC procedure, int extraBytes = 0, UINT style = 0)
{
    WindowClass windowClass;
    windowClass.name = name;
    windowClass.style = CS_GLOBALCLASS | style;
    windowClass.procedure = procedure;
    windowClass.windowExtraBytes = extraBytes;
    return windowClass;
}

} // namespace

WindowClassRegistry& WindowClassRegistry::instance()
{
    static WindowClassRegistry registry;
    return registry;
}

WindowClassRegistry::WindowClassRegistry()
{
    add(systemClass(L"#32769", DefWindowProcW));
    add(systemClass(WC_DIALOG, DefDlgProcW, DLGWINDOWEXTRA));
}

bool WindowClassRegistry::addSystemClass(LPCWSTR name, WNDPROC procedure, UINT style)
{
    return instance().add(systemClass(name, procedure, 0, style));
}

bool WindowClassRegistry::add(const WindowClass& windowClass)
{
    if (windowClass.name.empty() || !windowClass.procedure) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (find(windowClass.name)) {
        SetLastError(ERROR_CLASS_ALREADY_EXISTS);
        return false;
    }
    m_classes.push_back(std::make_shared<const WindowClass>(windowClass));
    return true;
}

std::shared_ptr<const WindowClass> WindowClassRegistry::find(std::wstring_view name) const
{
    const auto it = std::find_if(m_classes.begin(), m_classes.end(),
                                 [name](const auto& windowClass) { return EqualsNoCase(windowClass->name, name); });
    return it == m_classes.end() ? nullptr : *it;
}

std::wstring WindowClassRegistry::nameOf(LPCWSTR name)
{
    if (!name)
        return {};
    if (IS_INTRESOURCE(name))
        return reinterpret_cast<std::uintptr_t>(name) == 0x8002 ? std::wstring(WC_DIALOG) : std::wstring();
    return name;
}

namespace {

ATOM registerClass(WindowClass windowClass)
{
    static ATOM nextAtom = 0xC000;
    return WindowClassRegistry::instance().add(windowClass) ? nextAtom++ : 0;
}

} // namespace

ATOM RegisterClassW(const WNDCLASSW* info)
{
    if (!info) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    return registerClass(WindowClass{WindowClassRegistry::nameOf(info->lpszClassName), info->style, info->lpfnWndProc, info->cbWndExtra,
                                     info->hInstance, info->hIcon, info->hCursor, info->hbrBackground, info->lpszMenuName});
}
