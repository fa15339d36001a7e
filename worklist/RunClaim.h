// A host's claim on the run of a group. On a worklist file it is a lock on the group's byte of the
// claims file beside the worklist; on a lab's server it is a lock the server keeps for a session
// of the claiming host, named after its instrument. Either is dropped with the process however the
// process ends, so a row left running in a group that nobody claims was interrupted. A server's
// restart drops every lock too: the claiming host's heartbeat, renewed every few seconds, keeps the
// group its own for the recovery period, so that it can take its lock again.
#pragma once

#include "module/core/WorklistPlace.h"
#include "oledb/CSession.h"

#include "kernel/WinTypes.h"

#include <optional>
#include <string>

class RunClaim {
public:
    // How often a running host renews its claim's heartbeat and takes a lost claim again.
    static constexpr UINT kRenewMs = 5000;

    // A claim on the worklist at place, which outlives it, for the place's instrument.
    explicit RunClaim(const WorklistPlace& place) : m_place(place) {}
    ~RunClaim();
    RunClaim(const RunClaim&) = delete;
    RunClaim& operator=(const RunClaim&) = delete;

    // TRUE when this object holds group groupId's claim now; FALSE when another live host (or
    // another claim of this host) holds it, or the claims cannot be reached.
    BOOL Take(LONG groupId);
    void Release();
    // Whether this object still holds the claim it took. A file's lock lasts with its handle; a
    // server's lasts with its session, which a lost connection ends: the connection is opened
    // again and the claim taken again, and a failure (another host took it meanwhile, or the
    // server cannot be reached) is the database's, with its error record.
    HRESULT Check();
    // Check, and the heartbeat renewed on the server: the claim lives. A failure is Check's, or
    // the server's.
    HRESULT Renew();
    // Whether someone holds group groupId's claim, this object included. Claims that cannot be
    // read count as claimed: a running row is never taken for interrupted on a guess.
    static BOOL IsClaimed(const WorklistPlace& place, LONG groupId);
    // Whether another host holds group groupId's claim: its run goes on there, and the group is
    // not to be changed here meanwhile.
    static BOOL IsClaimedByAnotherHost(const WorklistPlace& place, LONG groupId);
    // The instrument whose host holds group groupId's claim, where the server tells; empty
    // otherwise.
    static std::wstring RunningOn(const WorklistPlace& place, LONG groupId);
    // Whether group groupId's claim is gone but another instrument renewed it within the
    // recovery period: that instrument, and how many seconds ago by the server's clock.
    static BOOL SeenRunning(const WorklistPlace& place, LONG groupId, std::wstring* instrument, LONG* secondsAgo);

private:
    BOOL TakeOnServer(LONG groupId);
    BOOL TakeInFile(LONG groupId);

    const WorklistPlace& m_place;
    HANDLE m_hFile = nullptr;
    // On a server: the session whose lock is the claim; closing it lets go.
    CSession m_serverSession;
    // The group whose claim this object holds, while it holds one.
    std::optional<LONG> m_heldGroup;
};
