// The thread's hooks and the Win32 calls that install and chain them.
#include "win/HookChain.h"

#include "kernel/FileApi.h"

#include <algorithm>

HookChain& HookChain::instance()
{
    static HookChain chain;
    return chain;
}

HHOOK HookChain::add(int type, HOOKPROC procedure)
{
    const HHOOK handle = reinterpret_cast<HHOOK>(m_nextHandle);
    m_nextHandle += 4;
    m_hooks.insert(m_hooks.begin(), Hook{handle, type, procedure});
    return handle;
}

bool HookChain::remove(HHOOK hook)
{
    return std::erase_if(m_hooks, [hook](const Hook& entry) { return entry.handle == hook; }) > 0;
}

LRESULT HookChain::callFrom(std::size_t index, int type, int code, WPARAM wParam, LPARAM lParam)
{
    for (; index < m_hooks.size(); ++index)
        if (m_hooks[index].type == type)
            return m_hooks[index].procedure(code, wParam, lParam);
    return 0;
}

LRESULT HookChain::callFirst(int type, int code, WPARAM wParam, LPARAM lParam)
{
    return callFrom(0, type, code, wParam, lParam);
}

LRESULT HookChain::callNext(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    // A hook removed during its own call simply ends the chain.
    const auto it = std::find_if(m_hooks.begin(), m_hooks.end(), [hook](const Hook& entry) { return entry.handle == hook; });
    if (it == m_hooks.end())
        return 0;
    return callFrom(static_cast<std::size_t>(it - m_hooks.begin()) + 1, it->type, code, wParam, lParam);
}

DWORD GetCurrentThreadId() { return 1; }

HHOOK SetWindowsHookExW(int hookType, HOOKPROC procedure, HINSTANCE, DWORD threadId)
{
    // Only the hooks the loop and window creation call are offered.
    const bool supported = hookType == WH_GETMESSAGE || hookType == WH_CBT;
    if (!procedure || !supported || (threadId != 0 && threadId != GetCurrentThreadId())) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return HookChain::instance().add(hookType, procedure);
}

BOOL UnhookWindowsHookEx(HHOOK hook)
{
    if (!HookChain::instance().remove(hook)) {
        SetLastError(ERROR_INVALID_HOOK_HANDLE);
        return FALSE;
    }
    return TRUE;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam)
{
    return HookChain::instance().callNext(hook, code, wParam, lParam);
}
