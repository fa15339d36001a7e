// The run's host: the module's command-processor context, its logbook and the worklist's claims.
#pragma once

#include "RunHost.h"

#include "module/core/ModuleSettings.h"
#include "worklist/RunClaim.h"

#include <map>

class ModuleRunHost : public RunHost {
public:
    void Exec(const std::wstring& strLine) override;
    void SetNum(LPCSTR name, double value) override;
    void SetStr(LPCSTR name, const std::wstring& strValue) override;
    double GetNum(LPCSTR name) override;
    std::wstring GetStr(LPCSTR name) override;
    std::wstring ModuleMessage(LPCWSTR lpszObject) override;
    void ReportRunEvent(const CpRunEvent& event) override;
    void Log(const std::wstring& strText) override;

    BOOL Claim(LONG nGroupId) override;
    void Unclaim(LONG nGroupId) override { m_claims.erase(nGroupId); }
    HRESULT CheckClaim(LONG nGroupId) override;
    HRESULT RenewClaim(LONG nGroupId) override;
    BOOL IsClaimed(LONG nGroupId) override { return RunClaim::IsClaimed(ModuleSettings, nGroupId); }
    BOOL IsClaimedByAnotherHost(LONG nGroupId) override
    {
        return RunClaim::IsClaimedByAnotherHost(ModuleSettings, nGroupId);
    }
    std::wstring RunningOn(LONG nGroupId) override { return RunClaim::RunningOn(ModuleSettings, nGroupId); }
    BOOL SeenRunning(LONG nGroupId, std::wstring* instrument, LONG* secondsAgo) override
    {
        return RunClaim::SeenRunning(ModuleSettings, nGroupId, instrument, secondsAgo);
    }

private:
    // The claims held, by group; each is let go with its entry.
    std::map<LONG, RunClaim> m_claims;
};
