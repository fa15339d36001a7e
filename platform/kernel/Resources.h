// Module resources found by module handle, as Win32 finds them: a module's library carries a table
// of resources and announces it when it is loaded.
#pragma once

#include "WinTypes.h"

#include <span>

// Resource ids and types are small integers, as MAKEINTRESOURCE makes them.
inline LPCWSTR MAKEINTRESOURCEW(WORD id) { return reinterpret_cast<LPCWSTR>(static_cast<std::uintptr_t>(id)); }
inline LPCSTR MAKEINTRESOURCEA(WORD id) { return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id)); }
inline bool IS_INTRESOURCE(LPCWSTR name) { return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0; }

inline const LPCWSTR RT_BITMAP = MAKEINTRESOURCEW(2);
inline const LPCWSTR RT_ICON = MAKEINTRESOURCEW(3);
inline const LPCWSTR RT_MENU = MAKEINTRESOURCEW(4);
inline const LPCWSTR RT_DIALOG = MAKEINTRESOURCEW(5);
inline const LPCWSTR RT_STRING = MAKEINTRESOURCEW(6);
inline const LPCWSTR RT_ACCELERATOR = MAKEINTRESOURCEW(9);
inline const LPCWSTR RT_RCDATA = MAKEINTRESOURCEW(10);
inline const LPCWSTR RT_TOOLBAR = MAKEINTRESOURCEW(241);

constexpr WORD LANG_ENGLISH_US = 1033;

// One resource of a module. A string table entry holds one string: its id is the string's id and
// its data the wide text (size in characters). Other resources hold their bytes or, for dialog
// templates, menus and tool bars, the platform structure that describes them.
struct ResourceEntry {
    WORD type;
    WORD id;
    WORD language;
    const void* data;
    DWORD size;
};

// Announces the resources of the library that holds anyAddressInModule; the library's handle is
// its load address, as on Windows. Called from a static object of the library.
HMODULE RegisterModuleResources(const void* anyAddressInModule, std::span<const ResourceEntry> entries);
void UnregisterModuleResources(HMODULE module);

HRSRC FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
HRSRC FindResourceExW(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
// Copies string id into buffer (at most capacity-1 characters and a terminating zero) and returns
// the characters copied; 0 when the module has no such string. Capacity 0 returns a read-only
// pointer to the text in *buffer, as Win32 does.
int LoadStringW(HMODULE module, UINT id, LPWSTR buffer, int capacity);
