// Loading module strings from the module's own resources.
#include "ModuleString.h"

#include "resources/ModuleResources.h"

std::wstring ModuleString(UINT id)
{
    // The longest module text fits: the buffer of the logbook's string loads.
    wchar_t buffer[768];
    const int length = LoadStringW(ModuleResourceHandle(), id, buffer, 768);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}
