// Loading libraries by name over the dynamic loader; a library's handle is its load address.
#pragma once

#include "WinTypes.h"

#include <span>

using FARPROC = void (*)();

// A name without a folder finds a module announced under it first, as Windows finds a library
// already loaded; anything else goes to the dynamic loader.
HMODULE LoadLibraryW(LPCWSTR fileName);
// An announced module stays: it is part of the platform.
BOOL FreeLibrary(HMODULE module);
// By name, or by ordinal (MAKEINTRESOURCEA) in an announced module's exports.
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// A module already present in the process, by name without regard to case or extension: a loaded
// library ("serion", "libserion.so") or a part of the platform that announced itself ("langkit").
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// The handle of the library or program that holds the address.
HMODULE ModuleFromAddress(const void* address);
// An entry a stand-in library exports, by ordinal and by name.
struct ModuleExport {
    WORD ordinal;
    const char* name;
    FARPROC procedure;
};
// A part of the platform that stands in for a host or system library announces itself under that
// library's name, so that GetModuleHandleW and LoadLibraryW find it while it is loaded, and
// GetProcAddress its exports.
void AnnounceModule(LPCWSTR moduleName, HMODULE module, std::span<const ModuleExport> exports = {});
void WithdrawModule(LPCWSTR moduleName);
