// The module's one settings record: the host's handles, the paths and flags read from the host
// and the logged-on user. Every part of the module reads it.
#pragma once

#include "kernel/WinTypes.h"
#include "orvane/OrvaneTypes.h"

#include <string>

// The recovery period when _SERIONRECOVERY is not set.
inline constexpr LONG kRecoverySeconds = 120;

struct CModuleSettings {
    DWORD hHostA = 0;
    DWORD hHostB = 0;
    HWND hHostWnd = nullptr;
    DWORD hHostC = 0;
    HCPCONTEXT hCpContext = 0;
    DWORD nLogbookId = 0;
    DWORD hHostD = 0;
    std::wstring strProvider;
    std::wstring strDatabasePath;
    std::wstring strMethodPath;
    std::wstring strHelpPath;
    std::wstring strInstName;
    // How long (seconds, _SERIONRECOVERY) a group whose claim the server lost still counts as run by
    // the host that last renewed it, before another host may continue it.
    LONG nRecoverySeconds = kRecoverySeconds;
    // The head file of the worklist's audit trail, below the installation's database folder; none
    // is written while this is empty.
    std::wstring strAuditHeadPath;
    BOOL bOnline = FALSE;
    BOOL bControl = FALSE;
    LONG nUserId = -1;
    LONG nUserRole = -1;
    std::wstring strUserName;
};

extern CModuleSettings ModuleSettings;

// The providers of a worklist file and of a lab's shared worklist on a server.
inline constexpr const wchar_t* kFileProvider = L"Microsoft.Jet.OLEDB.4.0";
inline constexpr const wchar_t* kServerProvider = L"PostgreSQL.1";

