// A window that is a client of the command processor: it keeps the context it was registered
// with, which the hotlink classes built on it use for their subscriptions.
#pragma once

#include "OrvaneTypes.h"

#include "win/afx/CWnd.h"

class CWndCpMifCmdClient : public CWnd {
public:
    // flags are reserved (0); maxPending bounds the changes a hotlink client keeps waiting (at least 1).
    // CP_ERR_BAD_CONTEXT for an unknown context.
    SHORT RegisterCpCommands(HCPCONTEXT context, int flags, int maxPending);

protected:
    HCPCONTEXT m_hCpContext = 0;
    int m_nMaxPending = 100;
};
