// Asks the host for the text's length first, then reads it into a buffer of that size.
#include "ReadStrVar.h"

#include "ModuleSettings.h"

#include "orvane/CpApi.h"

#include <cmath>
#include <vector>

BOOL ReadStrVar(LPCSTR name, std::wstring& text)
{
    const SHORT needed = CpGetStrVar(ModuleSettings.hCpContext, name, nullptr, 0);
    if (needed == CP_ERR_UNKNOWN_VARIABLE || needed == CP_ERR_WRONG_TYPE)
        return FALSE;
    const int capacity = 1 - needed;
    if (capacity < 1)
        return FALSE;
    std::vector<WCHAR> buffer(static_cast<std::size_t>(capacity), L'\0');
    if (CpGetStrVar(ModuleSettings.hCpContext, name, buffer.data(), capacity) != CP_OK)
        return FALSE;
    text = buffer.data();
    return TRUE;
}

BOOL HostIsOnline(HCPCONTEXT context)
{
    double offline = 0;
    CpGetNumVar(context, "_OFFLINE", &offline);
    return std::trunc(offline + 0.5) == 0 ? TRUE : FALSE;
}
