// The component runtime's lookup of a class by its programmatic identifier, and the locale.
#pragma once

#include "OleDb.h"

// CO_E_CLASSSTRING for an identifier that no installed class carries.
HRESULT CLSIDFromProgID(LPCWSTR progId, CLSID* clsid);

LCID GetSystemDefaultLCID();
