// One account of user_tbl, bound by position. The fields lie in the buffer with Description
// before LockMessage, the opposite of their columns. The password is kept as its Argon2id hash in
// PasswordHash, a column added when the table is opened; Password holds an old account's
// password as typed only until that account's first logon. FailedLogons counts the failed logons
// in a row, and RefusedUntil (UTC seconds) ends the refusal that the fifth of them starts.
#pragma once

#include "oledb/CAccessor.h"

constexpr LONG USERROLE_ADMINISTRATOR = 0;
constexpr LONG USERROLE_POWER_USER = 1;
constexpr LONG USERROLE_USER = 2;

struct UserRecord {
    LONG UserID;
    WCHAR UserName[51];
    WCHAR Password[51];
    LONG Role;
    WCHAR Address[256];
    WCHAR Phone[51];
    WCHAR EMail[256];
    WCHAR Description[256];
    WCHAR LockMessage[256];
    WCHAR PasswordHash[129];
    LONG FailedLogons;
    LONG RefusedUntil;

    BEGIN_COLUMN_MAP(UserRecord)
        COLUMN_ENTRY(1, UserID)
        COLUMN_ENTRY(2, UserName)
        COLUMN_ENTRY(3, Password)
        COLUMN_ENTRY(4, Role)
        COLUMN_ENTRY(5, Address)
        COLUMN_ENTRY(6, Phone)
        COLUMN_ENTRY(7, EMail)
        COLUMN_ENTRY(8, LockMessage)
        COLUMN_ENTRY(9, Description)
        COLUMN_ENTRY(10, PasswordHash)
        COLUMN_ENTRY(11, FailedLogons)
        COLUMN_ENTRY(12, RefusedUntil)
    END_COLUMN_MAP()
};
