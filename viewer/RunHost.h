// What a group's run asks of the host and tells it: command lines and variables, the messages a
// method leaves, the run's events, the logbook, and the claims that keep a group's run to one
// host. ModuleRunHost is the host's; a test's fake is another.
#pragma once

#include "kernel/WinTypes.h"

#include <string>

struct CpRunEvent;

class RunHost {
public:
    virtual ~RunHost() = default;

    // Queued for the host to run after the current event, in the order given.
    virtual void Exec(const std::wstring& strLine) = 0;
    virtual void SetNum(LPCSTR name, double value) = 0;
    virtual void SetStr(LPCSTR name, const std::wstring& strValue) = 0;
    // 0 when the variable cannot be read.
    virtual double GetNum(LPCSTR name) = 0;
    // Empty when the variable cannot be read.
    virtual std::wstring GetStr(LPCSTR name) = 0;
    // The message the host object lpszObject left for the module; empty for none.
    virtual std::wstring ModuleMessage(LPCWSTR lpszObject) = 0;
    virtual void ReportRunEvent(const CpRunEvent& event) = 0;
    virtual void Log(const std::wstring& strText) = 0;

    // This host's claim on group nGroupId's run; FALSE when another host (or another claim of
    // this one) holds it, or the claims cannot be reached.
    virtual BOOL Claim(LONG nGroupId) = 0;
    virtual void Unclaim(LONG nGroupId) = 0;
    // Whether this host still holds its claim on group nGroupId; a failure has its error record.
    virtual HRESULT CheckClaim(LONG nGroupId) = 0;
    // CheckClaim, and the claim's heartbeat renewed, so that a restarted server keeps the group
    // this host's for the recovery period.
    virtual HRESULT RenewClaim(LONG nGroupId) = 0;
    // Whether any host holds group nGroupId's claim, this one included.
    virtual BOOL IsClaimed(LONG nGroupId) = 0;
    virtual BOOL IsClaimedByAnotherHost(LONG nGroupId) = 0;
    // The instrument whose host holds group nGroupId's claim, where that is known; empty otherwise.
    virtual std::wstring RunningOn(LONG nGroupId) = 0;
    // Whether group nGroupId's claim is gone but another instrument renewed it within the recovery
    // period: that instrument, and how many seconds ago.
    virtual BOOL SeenRunning(LONG nGroupId, std::wstring* instrument, LONG* secondsAgo) = 0;
};
