// Loading libraries by name over the dynamic loader; a library's handle is its load address.
#pragma once

#include "WinTypes.h"

using FARPROC = void (*)();

HMODULE LoadLibraryW(LPCWSTR fileName);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);
// A module already present in the process, by name without regard to case or extension: a loaded
// library ("serion", "libserion.so") or a part of the platform that announced itself ("langkit").
HMODULE GetModuleHandleW(LPCWSTR moduleName);
// The handle of the library or program that holds the address.
HMODULE ModuleFromAddress(const void* address);
// A part of the platform that stands in for a host library announces itself under that library's
// name, so that GetModuleHandleW finds it while it is loaded.
void AnnounceModule(LPCWSTR moduleName, HMODULE module);
void WithdrawModule(LPCWSTR moduleName);
