// Libraries over dlopen; handles are load addresses so that resources are found by handle.
#include "Library.h"

#include "FileApi.h"
#include "Text.h"

#include <dlfcn.h>
#include <link.h>

#include <map>
#include <string>

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

std::map<std::wstring, HMODULE>& announced()
{
    static std::map<std::wstring, HMODULE> modules;
    return modules;
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
    auto it = loaded().find(module);
    // Shared objects export by name only: an ordinal (a small number in place of the name) is found nowhere.
    const bool byOrdinal = (reinterpret_cast<std::uintptr_t>(procName) >> 16) == 0;
    void* symbol = it == loaded().end() || byOrdinal ? nullptr : dlsym(it->second.dlHandle, procName);
    if (!symbol)
        SetLastError(ERROR_PROC_NOT_FOUND);
    return reinterpret_cast<FARPROC>(symbol);
}

HMODULE GetModuleHandleW(LPCWSTR moduleName)
{
    // No name means the program itself, which the loader lists first and without a name.
    const std::wstring wanted = moduleName ? baseName(moduleName) : L"";
    if (auto it = announced().find(wanted); moduleName && it != announced().end())
        return it->second;
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

void AnnounceModule(LPCWSTR moduleName, HMODULE module) { announced()[baseName(moduleName)] = module; }

void WithdrawModule(LPCWSTR moduleName) { announced().erase(baseName(moduleName)); }
