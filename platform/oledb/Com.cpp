// The classes this platform has installed: the Jet 4.0 provider only.
#include "Com.h"

#include "kernel/Text.h"

HRESULT CLSIDFromProgID(LPCWSTR progId, CLSID* clsid)
{
    if (!progId || !clsid)
        return E_INVALIDARG;
    if (!EqualsNoCase(progId, L"Microsoft.Jet.OLEDB.4.0"))
        return CO_E_CLASSSTRING;
    *clsid = CLSID_JETOLEDB_4_00;
    return S_OK;
}

// The locale is English (United States) everywhere on this platform.
LCID GetSystemDefaultLCID() { return 1033; }
