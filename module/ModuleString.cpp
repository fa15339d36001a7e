// Loading module strings through the host's language library, which the module joined at init.
#include "ModuleString.h"

#include "resources/ModuleResources.h"

#include "orvane/Nls.h"

std::wstring ModuleString(UINT id)
{
    // The buffer the module loads its longest texts into.
    wchar_t buffer[768];
    const int length = NlsLoadString(ModuleResourceHandle(), id, buffer, 768);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}
