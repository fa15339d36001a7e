// The run claims of the worklist's groups: one byte each, at the group's id, in "worklist.mdb.claims",
// or one server lock each, keyed by the group's id.
#include "RunClaim.h"

#include "WorklistSession.h"

#include "kernel/FileLockApi.h"
#include "oledb/CSessionLock.h"

#include <set>

namespace {

// A new session on the worklist's server with its locks; a session of its own, so that its locks
// are nobody else's.
BOOL OpenServerLocks(const WorklistPlace& place, CSession& session, CSessionLock& locks)
{
    return SUCCEEDED(OpenWorklistSession(session, place, WorklistDataSourceProperties(place))) &&
           SUCCEEDED(locks.Open(session));
}

// The instrument named by the holder of group groupId's claim; S_FALSE when nobody holds it.
HRESULT HolderOnServer(const WorklistPlace& place, LONG groupId, std::wstring* holder)
{
    CSession session;
    CSessionLock locks;
    holder->clear();
    return OpenServerLocks(place, session, locks) ? locks.GetHolder(groupId, holder) : E_FAIL;
}

// Another instrument's heartbeat on group groupId within the recovery period, read through locks.
BOOL SeenElsewhere(const WorklistPlace& place, CSessionLock& locks, LONG groupId, std::wstring* instrument,
                   LONG* secondsAgo)
{
    return locks.GetLastHeartbeat(groupId, instrument, secondsAgo) == S_OK && *instrument != place.strInstName &&
           *secondsAgo < place.nRecoverySeconds;
}

// The groups whose claims this host's objects hold: a file's locks do not tell whose they are.
std::multiset<LONG>& ClaimsHeldHere()
{
    static std::multiset<LONG> claims;
    return claims;
}

HANDLE OpenClaims(const WorklistPlace& place)
{
    const std::wstring strPath = place.strDatabasePath + L".claims";
    const HANDLE hFile = ::CreateFileW(strPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_ALWAYS, 0, nullptr);
    return hFile == INVALID_HANDLE_VALUE ? nullptr : hFile;
}

OVERLAPPED ByteOf(LONG groupId)
{
    OVERLAPPED place{};
    place.Offset = static_cast<DWORD>(groupId);
    return place;
}

BOOL LockByte(HANDLE hFile, LONG groupId)
{
    OVERLAPPED place = ByteOf(groupId);
    return ::LockFileEx(hFile, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &place);
}

void UnlockByte(HANDLE hFile, LONG groupId)
{
    OVERLAPPED place = ByteOf(groupId);
    ::UnlockFileEx(hFile, 0, 1, 0, &place);
}

} // namespace

RunClaim::~RunClaim() { Release(); }

BOOL RunClaim::Take(LONG groupId)
{
    Release();
    if (!(m_place.OnServer() ? TakeOnServer(groupId) : TakeInFile(groupId))) {
        Release();
        return FALSE;
    }
    m_heldGroup = groupId;
    ClaimsHeldHere().insert(groupId);
    return TRUE;
}

BOOL RunClaim::TakeOnServer(LONG groupId)
{
    CSessionLock lock;
    BOOL bTaken = FALSE;
    if (OpenServerLocks(m_place, m_serverSession, lock))
        lock.TryLock(groupId, m_place.strInstName, &bTaken);
    // A free lock after the server's restart may still be another host's, which has not yet
    // taken it again.
    std::wstring strInstrument;
    LONG nSecondsAgo = 0;
    return bTaken && !SeenElsewhere(m_place, lock, groupId, &strInstrument, &nSecondsAgo) &&
           SUCCEEDED(lock.Heartbeat(groupId, TRUE));
}

BOOL RunClaim::TakeInFile(LONG groupId)
{
    m_hFile = OpenClaims(m_place);
    return m_hFile && LockByte(m_hFile, groupId);
}

void RunClaim::Release()
{
    // A run that ended here leaves no heartbeat: the group is free for every host at once.
    if (CSessionLock lock; m_heldGroup && m_place.OnServer() && SUCCEEDED(lock.Open(m_serverSession)))
        lock.Heartbeat(*m_heldGroup, FALSE);
    // Closing the handle or the session drops its lock too.
    m_serverSession.Close();
    if (m_hFile)
        ::CloseHandle(m_hFile);
    m_hFile = nullptr;
    if (m_heldGroup)
        ClaimsHeldHere().erase(ClaimsHeldHere().find(*m_heldGroup));
    m_heldGroup.reset();
}

HRESULT RunClaim::Check()
{
    if (!m_heldGroup || !m_place.OnServer())
        return S_OK;
    // The question opens a lost connection again and takes its locks again.
    CSessionLock lock;
    HRESULT status = lock.Open(m_serverSession);
    if (SUCCEEDED(status))
        status = lock.CheckHeld(*m_heldGroup);
    return status;
}

HRESULT RunClaim::Renew()
{
    HRESULT status = Check();
    CSessionLock lock;
    if (SUCCEEDED(status) && m_heldGroup && m_place.OnServer() && SUCCEEDED(status = lock.Open(m_serverSession)))
        status = lock.Heartbeat(*m_heldGroup, TRUE);
    return status;
}

BOOL RunClaim::SeenRunning(const WorklistPlace& place, LONG groupId, std::wstring* instrument, LONG* secondsAgo)
{
    CSession session;
    CSessionLock locks;
    return place.OnServer() && OpenServerLocks(place, session, locks) &&
           SeenElsewhere(place, locks, groupId, instrument, secondsAgo);
}

BOOL RunClaim::IsClaimed(const WorklistPlace& place, LONG groupId)
{
    // A claim of this host needs no question to the worklist.
    if (ClaimsHeldHere().contains(groupId))
        return TRUE;
    if (place.OnServer()) {
        CSession session;
        CSessionLock locks;
        std::wstring strHolder;
        LONG nSecondsAgo = 0;
        return !OpenServerLocks(place, session, locks) || locks.GetHolder(groupId, &strHolder) != S_FALSE ||
               SeenElsewhere(place, locks, groupId, &strHolder, &nSecondsAgo);
    }
    const HANDLE hFile = OpenClaims(place);
    if (!hFile)
        return TRUE;
    const BOOL bFree = LockByte(hFile, groupId);
    if (bFree)
        UnlockByte(hFile, groupId);
    ::CloseHandle(hFile);
    return !bFree;
}

BOOL RunClaim::IsClaimedByAnotherHost(const WorklistPlace& place, LONG groupId)
{
    return !ClaimsHeldHere().contains(groupId) && IsClaimed(place, groupId);
}

std::wstring RunClaim::RunningOn(const WorklistPlace& place, LONG groupId)
{
    std::wstring strHolder;
    if (place.OnServer())
        HolderOnServer(place, groupId, &strHolder);
    return strHolder;
}
