// Watching for idleness on the platform clock, and locking when it has lasted long enough.
#include "IdleLock.h"

#include "module/core/ModuleSettings.h"
#include "orvane/CpApi.h"
#include "users/CDialogLocker.h"

#include "kernel/TimeApi.h"

#include <algorithm>

namespace {

constexpr double kDefaultMinutes = 15;
constexpr DWORD kMinuteMs = 60 * 1000;

} // namespace

void IdleLock::Start(HWND hWnd, std::function<void()> lock)
{
    m_hWnd = hWnd;
    m_lock = std::move(lock);
    double minutes = kDefaultMinutes;
    if (CpGetNumVar(ModuleSettings.hCpContext, "_SERIONIDLELOCK", &minutes) != 0)
        minutes = kDefaultMinutes;
    m_dwLimitMs = static_cast<DWORD>(std::clamp(minutes, 0.0, 24.0 * 60) * kMinuteMs);
    m_dwSince = GetTickCount();
}

void IdleLock::FollowAccessControl()
{
    const BOOL bWanted = ModuleSettings.bControl && m_dwLimitMs > 0;
    if (bWanted == m_bArmed)
        return;
    if (bWanted)
        ::SetTimer(m_hWnd, kTimer, DueInMs(), nullptr);
    else
        ::KillTimer(m_hWnd, kTimer);
    m_bArmed = bWanted;
}

void IdleLock::OnTimer()
{
    ::KillTimer(m_hWnd, kTimer);
    m_bArmed = FALSE;
    if (!ModuleSettings.bControl)
        return;
    // A lock already shown needs no second one.
    if (IdleMs() >= m_dwLimitMs && !CDialogLocker::IsOpen()) {
        m_lock();
        m_dwSince = GetTickCount();
    }
    FollowAccessControl();
}

DWORD IdleLock::IdleMs() const
{
    LASTINPUTINFO info{sizeof(LASTINPUTINFO), 0};
    const DWORD dwNow = GetTickCount();
    // Input older than the watch (or from before the clock was set) counts from the watch's start.
    if (!::GetLastInputInfo(&info))
        return dwNow - m_dwSince;
    return std::min(dwNow - info.dwTime, dwNow - m_dwSince);
}

DWORD IdleLock::DueInMs() const
{
    // Past the limit without a lock (one was shown already): the next look is a whole limit away.
    const DWORD dwIdle = IdleMs();
    return dwIdle < m_dwLimitMs ? m_dwLimitMs - dwIdle : m_dwLimitMs;
}
