// Window timers and the Win32 calls that set and kill them.
#include "win/WindowTimers.h"

#include "kernel/FileApi.h"
#include "win/MessageQueue.h"

WindowTimers& WindowTimers::instance()
{
    static WindowTimers timers;
    return timers;
}

UINT_PTR WindowTimers::set(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC procedure)
{
    if (window && !IsWindow(window))
        return 0;
    if (!window)
        id = m_nextThreadTimerId++;
    kill(window, id);
    const LPARAM procedureParam = reinterpret_cast<LPARAM>(procedure);
    m_timers[{window, id}] = Clock::addTimer(elapseMs, [window, id, procedureParam] {
        auto& queue = MessageQueue::instance();
        const auto isThisTimer = [&](const MSG& message) {
            return message.message == WM_TIMER && message.hwnd == window && message.wParam == id;
        };
        if (!queue.contains(isThisTimer))
            queue.post(MSG{window, WM_TIMER, id, procedureParam, 0, {}});
    });
    return id;
}

bool WindowTimers::kill(HWND window, UINT_PTR id)
{
    const auto it = m_timers.find({window, id});
    if (it == m_timers.end())
        return false;
    Clock::removeTimer(it->second);
    m_timers.erase(it);
    MessageQueue::instance().removeIf(
        [&](const MSG& message) { return message.message == WM_TIMER && message.hwnd == window && message.wParam == id; });
    return true;
}

void WindowTimers::killAll(HWND window)
{
    for (auto it = m_timers.begin(); it != m_timers.end();) {
        const auto [timerWindow, id] = it->first;
        ++it;
        if (timerWindow == window)
            kill(window, id);
    }
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC procedure)
{
    return WindowTimers::instance().set(window, id, elapseMs, procedure);
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    if (!WindowTimers::instance().kill(window, id)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}
