// Accelerator tables over the module resources.
#include "win/Accelerators.h"

#include "kernel/Resources.h"

namespace {

bool isDown(int virtualKey) { return GetKeyState(virtualKey) < 0; }

bool matches(const ACCEL& entry, const MSG& message)
{
    if (!(entry.fVirt & FVIRTKEY) || (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN))
        return false;
    return entry.key == message.wParam && isDown(VK_CONTROL) == ((entry.fVirt & FCONTROL) != 0) &&
           isDown(VK_MENU) == ((entry.fVirt & FALT) != 0) && isDown(VK_SHIFT) == ((entry.fVirt & FSHIFT) != 0);
}

} // namespace

HACCEL LoadAcceleratorsW(HINSTANCE instance, LPCWSTR name)
{
    const auto module = reinterpret_cast<HMODULE>(instance);
    const HRSRC resource = FindResourceW(module, name, RT_ACCELERATOR);
    if (!resource)
        return nullptr;
    return reinterpret_cast<HACCEL>(LockResource(LoadResource(module, resource)));
}

int TranslateAcceleratorW(HWND window, HACCEL table, LPMSG message)
{
    if (!window || !table || !message)
        return FALSE;
    for (const ACCEL& entry : reinterpret_cast<const AcceleratorTemplate*>(table)->entries) {
        if (!matches(entry, *message))
            continue;
        const HMENU menu = GetMenu(window);
        const UINT state = menu ? GetMenuState(menu, entry.cmd, MF_BYCOMMAND) : static_cast<UINT>(-1);
        if (state == static_cast<UINT>(-1) || !(state & (MF_GRAYED | MF_DISABLED)))
            SendMessageW(window, WM_COMMAND, MAKEWPARAM(entry.cmd, 1), 0);
        return TRUE;
    }
    return FALSE;
}
