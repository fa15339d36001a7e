// A host's claim on the run of a group: a lock on the group's byte of the claims file beside the
// worklist. The system drops it with the process however the process ends, so a row left running
// in a group that nobody claims was interrupted.
#pragma once

#include "kernel/WinTypes.h"

#include <optional>

class RunClaim {
public:
    RunClaim() = default;
    ~RunClaim();
    RunClaim(const RunClaim&) = delete;
    RunClaim& operator=(const RunClaim&) = delete;

    // TRUE when this object holds group groupId's claim now; FALSE when another live host (or
    // another claim of this host) holds it, or the claims file cannot be opened.
    BOOL Take(LONG groupId);
    void Release();
    // Whether someone holds group groupId's claim, this object included. A claims file that cannot
    // be opened counts as claimed: a running row is never taken for interrupted on a guess.
    static BOOL IsClaimed(LONG groupId);
    // Whether another host holds group groupId's claim: its run goes on there, and the group is
    // not to be changed here meanwhile.
    static BOOL IsClaimedByAnotherHost(LONG groupId);

private:
    HANDLE m_hFile = nullptr;
    // The group whose claim this object holds, while it holds one.
    std::optional<LONG> m_heldGroup;
};
