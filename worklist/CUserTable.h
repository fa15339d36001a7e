// The accounts of the people who may use the module: user_tbl opened for change on a session of
// its own, through the complete initialisation group of the provider. Opening adds the columns of
// the password hashes and of the logon limits to a table that lacks them, and hashes the
// passwords that an older worklist still keeps as typed.
#pragma once

#include "AuditTrail.h"
#include "UserRecord.h"

#include "kernel/TimeApi.h"
#include "module/core/WorklistPlace.h"
#include "oledb/CCommand.h"

#include <string>

class CUserTable : public CCommand<CAccessor<UserRecord>> {
public:
    // The table of the worklist at place, which outlives it.
    explicit CUserTable(const WorklistPlace& place) : m_place(place) {}

    // "SELECT * FROM user_tbl"; no row is loaded until the first move.
    HRESULT Open();
    // TRUE when an account has exactly this name (letter case counts); it is then the current
    // row. The first such row in rowset order wins.
    BOOL FindByName(const std::wstring& name);
    // TRUE when typed is the current account's password: checked against its hash, or as typed
    // while the account has no hash (no password, or one whose hash could not be made).
    BOOL PasswordMatches(const std::wstring& typed) const;
    BOOL HasPassword() const { return Password[0] != 0 || PasswordHash[0] != 0; }
    // TRUE when the current account's password, known to be typed, is not kept as SetPassword
    // keeps it: still as typed, or an empty one as a hash.
    BOOL PasswordKeptOtherwise(const std::wstring& typed) const { return (PasswordHash[0] == 0) != typed.empty(); }
    // The current row's password becomes password's hash, none for an empty password, and the
    // typed column is emptied, all in the record only; FALSE, with the record unchanged, when the
    // hash could not be made.
    BOOL SetPassword(const std::wstring& password);

    // Logon limits of the current account, in the record only: five failed logons in a row refuse
    // it for 15 minutes; a good logon resets the count.
    BOOL IsRefused(__time64_t now) const { return now < RefusedUntil; }
    // A failed password of the current account counted and written with a record of event (and
    // of the refusal it starts); bRefused says whether it refuses the account.
    HRESULT StoreFailedLogon(__time64_t now, const std::wstring& event, BOOL& bRefused);
    void ResetFailedLogons();
    // The message that the current account is refused, and until when.
    std::wstring RefusalText() const;

    // write (a change of the current row, or none), and a record of each entry, as one edit.
    HRESULT WriteWithRecords(const std::function<HRESULT()>& write, const std::vector<AuditEntry>& entries);

    // How the last Open hashed the passwords an older worklist keeps as typed: a failure leaves
    // its error records when Open returns, and the passwords as they were, checked as typed.
    HRESULT Hashed() const { return m_hashed; }

    CSession m_session;

private:
    HRESULT Requery();
    // Every password kept as typed hashed, as one edit with one record; S_FALSE when there was none.
    HRESULT HashTypedPasswords();

    const WorklistPlace& m_place;
    HRESULT m_hashed = S_OK;
};
