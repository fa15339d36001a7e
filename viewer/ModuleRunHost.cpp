// The run's host over the module's command-processor context, logbook and run claims.
#include "ModuleRunHost.h"

#include "module/core/LogbookWrite.h"
#include "module/core/ModMsgText.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ReadStrVar.h"

#include "orvane/CpApi.h"
#include "orvane/CpRunEvent.h"

void ModuleRunHost::Exec(const std::wstring& strLine) { CpExecCommand(ModuleSettings.hCpContext, strLine.c_str(), 0, 0, 0); }

void ModuleRunHost::SetNum(LPCSTR name, double value) { CpSetNumVar(ModuleSettings.hCpContext, name, value); }

void ModuleRunHost::SetStr(LPCSTR name, const std::wstring& strValue)
{
    CpSetStrVar(ModuleSettings.hCpContext, name, strValue.c_str());
}

double ModuleRunHost::GetNum(LPCSTR name)
{
    double value = 0;
    CpGetNumVar(ModuleSettings.hCpContext, name, &value);
    return value;
}

std::wstring ModuleRunHost::GetStr(LPCSTR name)
{
    std::wstring text;
    ReadStrVar(name, text);
    return text;
}

std::wstring ModuleRunHost::ModuleMessage(LPCWSTR lpszObject) { return ModMsgText(lpszObject); }

void ModuleRunHost::ReportRunEvent(const CpRunEvent& event) { CpReportRunEvent(event); }

void ModuleRunHost::Log(const std::wstring& strText) { LogbookWrite(strText); }

BOOL ModuleRunHost::Claim(LONG nGroupId)
{
    const auto claim = m_claims.try_emplace(nGroupId, ModuleSettings).first;
    if (claim->second.Take(nGroupId))
        return TRUE;
    m_claims.erase(claim);
    return FALSE;
}

HRESULT ModuleRunHost::CheckClaim(LONG nGroupId)
{
    const auto claim = m_claims.find(nGroupId);
    return claim == m_claims.end() ? S_OK : claim->second.Check();
}

HRESULT ModuleRunHost::RenewClaim(LONG nGroupId)
{
    const auto claim = m_claims.find(nGroupId);
    return claim == m_claims.end() ? S_OK : claim->second.Renew();
}
