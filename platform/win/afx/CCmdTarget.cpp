// Message-map lookup and command routing.
#include "CCmdTarget.h"

namespace {

bool matches(const AFX_MSGMAP_ENTRY& entry, UINT nMessage, UINT nCode, UINT nID)
{
    if (entry.nMessage != nMessage)
        return false;
    // Window messages match by message alone; commands and notifications by code and id too.
    if (nMessage != WM_COMMAND && nMessage != WM_NOTIFY && nMessage != WM_REFLECT_BASE + WM_NOTIFY)
        return true;
    return entry.nCode == nCode && entry.nID <= nID && nID <= entry.nLastID;
}

} // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY noEntries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &noEntries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

BOOL CCmdTarget::DispatchToMessageMap(UINT nMessage, UINT nCode, UINT nID, AFX_MSGCALL& call)
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nMessage != 0; ++entry) {
            if (matches(*entry, nMessage, nCode, nID))
                return entry->pfn(this, call);
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra)
{
    LRESULT ignored = 0;
    AFX_MSGCALL call{nID, 0, 0, &ignored};
    UINT nMessage = HIWORD(static_cast<UINT>(nCode));
    if (nMessage == WM_NOTIFY || nMessage == WM_REFLECT_BASE + WM_NOTIFY) {
        auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
        if (!notify)
            return FALSE;
        call.lParam = reinterpret_cast<LPARAM>(notify->pNMHDR);
        call.pResult = notify->pResult;
    } else {
        nMessage = WM_COMMAND;
    }
    return DispatchToMessageMap(nMessage, LOWORD(static_cast<UINT>(nCode)), nID, call);
}
