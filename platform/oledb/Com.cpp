// The classes this platform has installed: the Jet 4.0 provider and the PostgreSQL provider.
#include "Com.h"

#include "kernel/Text.h"

HRESULT CLSIDFromProgID(LPCWSTR progId, CLSID* clsid)
{
    if (!progId || !clsid)
        return E_INVALIDARG;
    if (EqualsNoCase(progId, L"Microsoft.Jet.OLEDB.4.0"))
        *clsid = CLSID_JETOLEDB_4_00;
    else if (EqualsNoCase(progId, L"PostgreSQL.1"))
        *clsid = CLSID_POSTGRESQL_OLEDB;
    else
        return CO_E_CLASSSTRING;
    return S_OK;
}

// The locale is English (United States) everywhere on this platform.
LCID GetSystemDefaultLCID() { return 1033; }
