// The failure policy of a run and its emergency command.
#include "FailurePolicy.h"

#include "module/core/LogbookWrite.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "module/core/TraceLog.h"
#include "resources/ResourceIds.h"

#include "kernel/WinFormat.h"
#include "orvane/CpApi.h"

#include <utility>

void FailurePolicy::Read(LONG nOnFailure, std::wstring strEmergencyCommand)
{
    m_nOnFailure = nOnFailure;
    m_strEmergencyCommand = std::move(strEmergencyCommand);
    m_bSent = FALSE;
    m_bOwed = FALSE;
}

void FailurePolicy::SendEmergencyCommand()
{
    if (m_bSent || m_strEmergencyCommand.find_first_not_of(L' ') == std::wstring::npos)
        return;
    m_bSent = TRUE;
    TraceLog(3, L"SendEmergencyCommand: %s\n", m_strEmergencyCommand.c_str());
    LogbookWrite(FormatWin(ModuleString(IDS_LOG_EMERGENCY_SENT).c_str(), m_strEmergencyCommand.c_str()));
    CpExecCommand(ModuleSettings.hCpContext, m_strEmergencyCommand.c_str(), 0, 0, 0);
}

void FailurePolicy::SendOwed()
{
    if (m_bOwed)
        SendEmergencyCommand();
    m_bOwed = FALSE;
}
