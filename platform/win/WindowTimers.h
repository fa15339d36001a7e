// SetTimer's timers on the platform clock: each one posts WM_TIMER when due, unless one is still
// waiting in the queue, as Windows coalesces them.
#pragma once

#include "kernel/Clock.h"
#include "win/WinUser.h"

#include <map>
#include <utility>

class WindowTimers {
public:
    static WindowTimers& instance();

    UINT_PTR set(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC procedure);
    bool kill(HWND window, UINT_PTR id);
    void killAll(HWND window);

private:
    std::map<std::pair<HWND, UINT_PTR>, Clock::TimerId> m_timers;
    UINT_PTR m_nextThreadTimerId = 1;
};
