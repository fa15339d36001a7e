// The base of every class with a message map: finds the entry for a command, notification or window
// message in the class's map and its base classes' maps, and calls it.
#pragma once

#include "CObject.h"
#include "MessageMap.h"

class CCmdTarget : public CObject {
public:
    // nCode is the notification code of WM_COMMAND (CN_COMMAND for menus), or MAKELONG(code,
    // WM_NOTIFY) with pExtra pointing to an AFX_NOTIFY (WM_REFLECT_BASE + WM_NOTIFY for a control's
    // reflected notification, id 0). TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry of the most derived map that matches; the message counts as handled when
    // there is one and it accepted the call.
    BOOL DispatchToMessageMap(UINT nMessage, UINT nCode, UINT nID, AFX_MSGCALL& call);
};
