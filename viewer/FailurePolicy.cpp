// The failure policy of a run and its emergency command.
#include "FailurePolicy.h"

#include "RunHost.h"

#include "module/core/ModuleString.h"
#include "module/core/TraceLog.h"
#include "resources/ResourceIds.h"

#include "kernel/WinFormat.h"

#include <utility>

void FailurePolicy::Read(LONG nOnFailure, std::wstring strEmergencyCommand)
{
    m_nOnFailure = nOnFailure;
    m_strEmergencyCommand = std::move(strEmergencyCommand);
    m_bSent = FALSE;
    m_bOwed = FALSE;
}

void FailurePolicy::SendEmergencyCommand(RunHost& host)
{
    if (m_bSent || m_strEmergencyCommand.find_first_not_of(L' ') == std::wstring::npos)
        return;
    m_bSent = TRUE;
    TraceLog(3, L"SendEmergencyCommand: %s\n", m_strEmergencyCommand.c_str());
    host.Log(FormatWin(ModuleString(IDS_LOG_EMERGENCY_SENT).c_str(), m_strEmergencyCommand.c_str()));
    host.Exec(m_strEmergencyCommand);
}

void FailurePolicy::SendOwed(RunHost& host)
{
    if (m_bOwed)
        SendEmergencyCommand(host);
    m_bOwed = FALSE;
}
