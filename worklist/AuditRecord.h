// One record of the audit trail, audit_tbl, bound by name: its number, when (UTC seconds and the
// local time as shown), who, on which instrument, in which group, what happened with the old and
// new values, and the hash that chains it to the record before.
#pragma once

#include "oledb/CAccessor.h"

// How a record's times are written: its local time, and its UTC seconds where they are shown.
inline constexpr const wchar_t* kAuditTimeFormat = L"%Y-%m-%d %H:%M:%S";

struct AuditRecord {
    LONG Sequence;
    LONG UtcTime;
    WCHAR LocalTime[21];
    WCHAR UserName[51];
    WCHAR Instrument[51];
    WCHAR GroupName[51];
    WCHAR Event[256];
    WCHAR OldValue[256];
    WCHAR NewValue[256];
    WCHAR Hash[65];

    BEGIN_COLUMN_MAP(AuditRecord)
        COLUMN_NAME(L"Sequence", Sequence)
        COLUMN_NAME(L"UtcTime", UtcTime)
        COLUMN_NAME(L"LocalTime", LocalTime)
        COLUMN_NAME(L"UserName", UserName)
        COLUMN_NAME(L"Instrument", Instrument)
        COLUMN_NAME(L"GroupName", GroupName)
        COLUMN_NAME(L"Event", Event)
        COLUMN_NAME(L"OldValue", OldValue)
        COLUMN_NAME(L"NewValue", NewValue)
        COLUMN_NAME(L"Hash", Hash)
    END_COLUMN_MAP()
};
