// The resource tables of the loaded modules, looked up by handle, type, id and language.
#include "Resources.h"

#include "FileApi.h"
#include "Library.h"

#include <algorithm>
#include <cwchar>
#include <map>

namespace {

std::map<HMODULE, std::span<const ResourceEntry>>& tables()
{
    static std::map<HMODULE, std::span<const ResourceEntry>> registered;
    return registered;
}

WORD resourceId(LPCWSTR name) { return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(name)); }

const ResourceEntry* findEntry(HMODULE module, WORD type, WORD id, WORD language)
{
    auto table = tables().find(module);
    if (table == tables().end()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return nullptr;
    }
    const ResourceEntry* fallback = nullptr;
    for (const ResourceEntry& entry : table->second) {
        if (entry.type != type || entry.id != id)
            continue;
        if (language == 0 || entry.language == language)
            return &entry;
        fallback = &entry;
    }
    if (!fallback)
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return fallback;
}

} // namespace

HMODULE RegisterModuleResources(const void* anyAddressInModule, std::span<const ResourceEntry> entries)
{
    HMODULE module = ModuleFromAddress(anyAddressInModule);
    if (module)
        tables()[module] = entries;
    return module;
}

void UnregisterModuleResources(HMODULE module) { tables().erase(module); }

HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language)
{
    // Resources are numbered; a named resource is never found.
    if (!IS_INTRESOURCE(type) || !IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const ResourceEntry* entry = findEntry(module, resourceId(type), resourceId(name), language);
    return reinterpret_cast<HRSRC>(const_cast<ResourceEntry*>(entry));
}

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type) { return FindResourceExW(module, type, name, 0); }

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    if (!resource)
        return nullptr;
    return reinterpret_cast<HGLOBAL>(const_cast<void*>(reinterpret_cast<const ResourceEntry*>(resource)->data));
}

LPVOID LockResource(HGLOBAL data) { return data; }

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    return resource ? reinterpret_cast<const ResourceEntry*>(resource)->size : 0;
}

int LoadStringW(HMODULE module, UINT id, LPWSTR buffer, int capacity)
{
    const ResourceEntry* entry = findEntry(module, resourceId(RT_STRING), static_cast<WORD>(id), 0);
    if (!buffer || id > 0xFFFF)
        return 0;
    if (!entry) {
        if (capacity > 0)
            buffer[0] = L'\0';
        return 0;
    }
    const auto* text = static_cast<const wchar_t*>(entry->data);
    if (capacity == 0) {
        *reinterpret_cast<const wchar_t**>(buffer) = text;
        return static_cast<int>(entry->size);
    }
    const int copied = std::min(static_cast<int>(entry->size), capacity - 1);
    std::wmemcpy(buffer, text, copied);
    buffer[copied] = L'\0';
    return copied;
}
