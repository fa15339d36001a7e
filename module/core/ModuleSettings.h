// The module's one settings record: the host's handles, the paths and flags read from the host
// and the logged-on user. Every part of the module reads it but the worklist, which is handed it
// as its place.
#pragma once

#include "WorklistPlace.h"

#include "kernel/WinTypes.h"
#include "orvane/OrvaneTypes.h"

#include <string>

struct CModuleSettings : WorklistPlace {
    DWORD hHostA = 0;
    DWORD hHostB = 0;
    HWND hHostWnd = nullptr;
    DWORD hHostC = 0;
    HCPCONTEXT hCpContext = 0;
    DWORD nLogbookId = 0;
    DWORD hHostD = 0;
    std::wstring strMethodPath;
    std::wstring strHelpPath;
    BOOL bOnline = FALSE;
    BOOL bControl = FALSE;
    LONG nUserId = -1;
    LONG nUserRole = -1;
};

extern CModuleSettings ModuleSettings;
