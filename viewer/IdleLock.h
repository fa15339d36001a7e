// Locks the host with the lock dialog when nobody has touched the keyboard or the mouse for the
// minutes of the host setting _SERIONIDLELOCK (15 when unset, 0 for never), while access control
// is on. A run goes on behind the lock as behind any other.
#pragma once

#include "kernel/WinTypes.h"
#include "win/WinUser.h"

#include <functional>

class IdleLock {
public:
    // The timer of the window it watches for; distinct from the window's own timers.
    static constexpr UINT_PTR kTimer = 19080;

    // Reads the setting; idleness counts from now on. lock shows the lock and returns when it has
    // been lifted.
    void Start(HWND hWnd, std::function<void()> lock);
    // The timer runs only while access control is on, so that a host without it has no timer
    // left once a run has ended; cheap enough to call on every change of state.
    void FollowAccessControl();
    // The window's WM_TIMER of kTimer.
    void OnTimer();

private:
    // Milliseconds since the last input, or since watching began or the last lock was lifted.
    DWORD IdleMs() const;
    DWORD DueInMs() const;

    HWND m_hWnd = nullptr;
    std::function<void()> m_lock;
    DWORD m_dwLimitMs = 0;
    DWORD m_dwSince = 0;
    BOOL m_bArmed = FALSE;
};
