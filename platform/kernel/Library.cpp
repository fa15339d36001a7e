// Libraries over dlopen; handles are load addresses so that resources are found by handle.
#include "Library.h"

#include "FileApi.h"
#include "Text.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace {

struct LoadedLibrary {
    void* dlHandle;
    int references;
};

std::map<HMODULE, LoadedLibrary>& loaded()
{
    static std::map<HMODULE, LoadedLibrary> libraries;
    return libraries;
}

struct AnnouncedModule {
    HMODULE module;
    std::span<const ModuleExport> exports;
};

std::map<std::wstring, AnnouncedModule>& announced()
{
    static std::map<std::wstring, AnnouncedModule> modules;
    return modules;
}

const AnnouncedModule* announcedByHandle(HMODULE module)
{
    for (const auto& [name, entry] : announced())
        if (entry.module == module)
            return &entry;
    return nullptr;
}

bool isOrdinal(LPCSTR procName) { return (reinterpret_cast<std::uintptr_t>(procName) >> 16) == 0; }

FARPROC findExport(std::span<const ModuleExport> exports, LPCSTR procName)
{
    for (const ModuleExport& entry : exports) {
        const bool found = isOrdinal(procName) ? entry.ordinal == reinterpret_cast<std::uintptr_t>(procName)
                                               : std::string_view(entry.name) == procName;
        if (found)
            return entry.procedure;
    }
    return nullptr;
}

// "libserion.so", "serion.dll" and "Serion" all name the module "serion".
std::wstring baseName(std::wstring_view name)
{
    std::wstring lower = ToLowerWide(name);
    const auto slash = lower.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        lower.erase(0, slash + 1);
    const auto dot = lower.find(L'.');
    if (dot != std::wstring::npos)
        lower.erase(dot);
    if (lower.starts_with(L"lib"))
        lower.erase(0, 3);
    return lower;
}

HMODULE handleOf(void* dlHandle)
{
    link_map* map = nullptr;
    if (dlinfo(dlHandle, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return nullptr;
    return ModuleFromAddress(reinterpret_cast<const void*>(map->l_ld));
}

} // namespace

HMODULE LoadLibraryW(LPCWSTR fileName)
{
    const std::wstring_view name = fileName ? fileName : L"";
    if (name.find_first_of(L"\\/") == std::wstring_view::npos) {
        if (auto it = announced().find(baseName(name)); it != announced().end()) {
            SetLastError(ERROR_SUCCESS);
            return it->second.module;
        }
    }
    void* dlHandle = dlopen(WideToUtf8(fileName ? fileName : L"").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!dlHandle) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    HMODULE module = handleOf(dlHandle);
    auto [entry, inserted] = loaded().try_emplace(module, LoadedLibrary{dlHandle, 0});
    if (!inserted)
        dlclose(dlHandle);
    ++entry->second.references;
    SetLastError(ERROR_SUCCESS);
    return module;
}

BOOL FreeLibrary(HMODULE module)
{
    auto it = loaded().find(module);
    if (it == loaded().end() && announcedByHandle(module))
        return TRUE;
    if (it == loaded().end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    void* dlHandle = it->second.dlHandle;
    if (--it->second.references == 0)
        loaded().erase(it);
    dlclose(dlHandle);
    return TRUE;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR procName)
{
    FARPROC procedure = nullptr;
    if (const AnnouncedModule* standIn = announcedByHandle(module); standIn && !loaded().contains(module)) {
        procedure = findExport(standIn->exports, procName);
    } else if (auto it = loaded().find(module); it != loaded().end() && !isOrdinal(procName)) {
        // Shared objects export by name only: an ordinal (a small number in place of the name) is found nowhere.
        procedure = reinterpret_cast<FARPROC>(dlsym(it->second.dlHandle, procName));
    }
    if (!procedure)
        SetLastError(ERROR_PROC_NOT_FOUND);
    return procedure;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName)
{
    // No name means the program itself, which the loader lists first and without a name.
    const std::wstring wanted = moduleName ? baseName(moduleName) : L"";
    if (auto it = announced().find(wanted); moduleName && it != announced().end())
        return it->second.module;
    struct Search {
        const std::wstring& wanted;
        HMODULE found;
    } search{wanted, nullptr};
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* context) {
            auto* search = static_cast<Search*>(context);
            if (baseName(Utf8ToWide(info->dlpi_name ? info->dlpi_name : "")) != search->wanted)
                return 0;
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type == PT_LOAD) {
                    search->found = ModuleFromAddress(reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr));
                    return 1;
                }
            }
            return 0;
        },
        &search);
    if (!search.found)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return search.found;
}

HMODULE ModuleFromAddress(const void* address)
{
    Dl_info info{};
    if (!address || dladdr(address, &info) == 0)
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

void AnnounceModule(LPCWSTR moduleName, HMODULE module, std::span<const ModuleExport> exports)
{
    announced()[baseName(moduleName)] = AnnouncedModule{module, exports};
}

void WithdrawModule(LPCWSTR moduleName) { announced().erase(baseName(moduleName)); }
