// Where the worklist is and who works on it: what the worklist's tables, sessions, audit trail,
// claims and rows are handed by their callers, which keep it current (a logon changes the user).
#pragma once

#include "kernel/WinTypes.h"

#include <string>

// The providers of a worklist file and of a lab's shared worklist on a server.
inline constexpr const wchar_t* kFileProvider = L"Microsoft.Jet.OLEDB.4.0";
inline constexpr const wchar_t* kServerProvider = L"PostgreSQL.1";
// The recovery period when _SERIONRECOVERY is not set.
inline constexpr LONG kRecoverySeconds = 120;

struct WorklistPlace {
    std::wstring strProvider;
    std::wstring strDatabasePath;
    // The head file of the worklist's audit trail, below the installation's database folder; none
    // is written while this is empty.
    std::wstring strAuditHeadPath;
    std::wstring strInstName;
    std::wstring strUserName;
    // How long (seconds, _SERIONRECOVERY) a group whose claim the server lost still counts as run by
    // the host that last renewed it, before another host may continue it.
    LONG nRecoverySeconds = kRecoverySeconds;

    bool OnServer() const { return strProvider == kServerProvider; }
};
