// Registering a window with the command processor.
#include "CWndCpMifCmdClient.h"

#include "CpApi.h"

SHORT CWndCpMifCmdClient::RegisterCpCommands(HCPCONTEXT context, int, int maxPending)
{
    if (!CpIsValidContext(context))
        return CP_ERR_BAD_CONTEXT;
    m_hCpContext = context;
    m_nMaxPending = maxPending > 0 ? maxPending : 1;
    return CP_OK;
}
