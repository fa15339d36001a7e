// The run claims of the worklist's groups: one byte each, at the group's id, in "worklist.mdb.claims".
#include "RunClaim.h"

#include "module/ModuleSettings.h"

#include "kernel/FileLockApi.h"

#include <set>

namespace {

// The groups whose claims this host's objects hold: a file's locks do not tell whose they are.
std::multiset<LONG>& ClaimsHeldHere()
{
    static std::multiset<LONG> claims;
    return claims;
}

HANDLE OpenClaims()
{
    const std::wstring strPath = ModuleSettings.strDatabasePath + L".claims";
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
    m_hFile = OpenClaims();
    if (m_hFile && LockByte(m_hFile, groupId)) {
        m_heldGroup = groupId;
        ClaimsHeldHere().insert(groupId);
        return TRUE;
    }
    Release();
    return FALSE;
}

void RunClaim::Release()
{
    if (!m_hFile)
        return;
    // Closing the handle drops its lock too.
    ::CloseHandle(m_hFile);
    m_hFile = nullptr;
    if (m_heldGroup)
        ClaimsHeldHere().erase(ClaimsHeldHere().find(*m_heldGroup));
    m_heldGroup.reset();
}

BOOL RunClaim::IsClaimed(LONG groupId)
{
    const HANDLE hFile = OpenClaims();
    if (!hFile)
        return TRUE;
    const BOOL bFree = LockByte(hFile, groupId);
    if (bFree)
        UnlockByte(hFile, groupId);
    ::CloseHandle(hFile);
    return !bFree;
}

BOOL RunClaim::IsClaimedByAnotherHost(LONG groupId)
{
    return !ClaimsHeldHere().contains(groupId) && IsClaimed(groupId);
}
