// Loading module strings through the host's language library, which the module joined at init.
#include "ModuleString.h"

#include "resources/ModuleResources.h"

#include "orvane/Nls.h"

#include <vector>

std::wstring ModuleString(UINT id, int capacity)
{
    std::vector<wchar_t> buffer(static_cast<std::size_t>(capacity > 0 ? capacity : 1));
    const int length = NlsLoadString(ModuleResourceHandle(), id, buffer.data(), capacity);
    return std::wstring(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}
