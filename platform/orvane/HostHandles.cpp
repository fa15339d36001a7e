// The host handles that modules fetch by id.
#include "HostHandles.h"

#include <map>

namespace {

std::map<WORD, UINT_PTR>& supplied()
{
    static std::map<WORD, UINT_PTR> handles;
    return handles;
}

} // namespace

SHORT UtGetHostHandles(DWORD reserved, UTHOSTHANDLE* handles, int count)
{
    if (reserved != 0 || (!handles && count > 0))
        return UT_ERR_HANDLE;
    SHORT status = 0;
    for (int i = 0; i < count; ++i) {
        const auto found = supplied().find(handles[i].wId);
        if (found == supplied().end() || !handles[i].pSlot) {
            status = UT_ERR_HANDLE;
            continue;
        }
        if (handles[i].wId == UT_HOST_WINDOW)
            *static_cast<HWND*>(handles[i].pSlot) = reinterpret_cast<HWND>(found->second);
        else
            *static_cast<DWORD*>(handles[i].pSlot) = static_cast<DWORD>(found->second);
    }
    return status;
}

void UtSetHostHandle(WORD id, UINT_PTR value)
{
    supplied()[id] = value;
}

void UtClearHostHandles()
{
    supplied().clear();
}
