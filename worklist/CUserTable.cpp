// Opening user_tbl and finding an account by name.
#include "CUserTable.h"

#include "EditTransaction.h"
#include "RecordText.h"
#include "WorklistSession.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"

#include "kernel/HashApi.h"
#include "kernel/Text.h"
#include "kernel/WinFormat.h"

namespace {

// The columns added to the delivered user_tbl. The hash needs room for Argon2id's parameters and
// salt; the delivered Password column holds 50.
constexpr AddedColumn kAddedColumns[] = {
    {L"PasswordHash", DBTYPE_WSTR, 128},
    {L"FailedLogons", DBTYPE_I4, 0},
    {L"RefusedUntil", DBTYPE_I4, 0},
};

constexpr LONG kFailuresBeforeRefusal = 5;
constexpr LONG kRefusalSeconds = 15 * 60;

} // namespace

HRESULT CUserTable::Open()
{
    HRESULT status = OpenWorklistSession(m_session, m_place, UserDataSourceProperties(m_place));
    if (SUCCEEDED(status))
        status = AddMissingColumns(m_session, L"user_tbl", kAddedColumns);
    if (FAILED(status))
        return status;
    status = Requery();
    // A failure leaves the passwords as they were: the logon still checks them as typed.
    m_hashed = SUCCEEDED(status) ? HashTypedPasswords() : S_OK;
    // The rows read on the way leave nothing in the buffer: a caller may fill it for an insert.
    ClearRecord();
    return status;
}

HRESULT CUserTable::Requery()
{
    const CDBPropSet rowset = ChangeableRowsetProperties();
    return CCommand::Open(m_session, L"SELECT * FROM user_tbl", &rowset);
}

HRESULT CUserTable::HashTypedPasswords()
{
    // Read first without a transaction: opening the table must not wait for a write lock when
    // there is nothing to write.
    BOOL bTyped = FALSE;
    for (MoveFirst(); HasCurrentRow() && !bTyped; MoveNext())
        bTyped = Password[0] != 0;
    if (!bTyped)
        return S_FALSE;
    HRESULT status;
    {
        EditTransaction transaction(m_session);
        status = transaction.Started();
        // Under the write lock, the rows as they are now.
        if (SUCCEEDED(status))
            status = Requery();
        std::wstring names;
        for (MoveFirst(); SUCCEEDED(status) && HasCurrentRow(); MoveNext()) {
            if (Password[0] == 0)
                continue;
            names += (names.empty() ? L"" : L", ") + std::wstring(UserName);
            status = SetPassword(Password) ? SetData() : E_OUTOFMEMORY;
        }
        if (SUCCEEDED(status)) {
            AuditTrail trail(m_session, m_place);
            status = trail.Add(L"", L"Passwords hashed", L"", L"accounts " + names);
            trail.AnchorAtCommit();
        }
        if (SUCCEEDED(status))
            status = transaction.Commit();
    }
    return status;
}

BOOL CUserTable::FindByName(const std::wstring& name)
{
    for (MoveFirst(); HasCurrentRow(); MoveNext())
        if (lstrcmpW(UserName, name.c_str()) == 0)
            return TRUE;
    return FALSE;
}

HRESULT CUserTable::WriteWithRecords(const std::function<HRESULT()>& write, const std::vector<AuditEntry>& entries)
{
    // Logons and accounts are few and matter: each is anchored at once.
    return AuditTrail::WriteWithRecords(m_session, m_place, write, L"", entries, TRUE);
}

BOOL CUserTable::PasswordMatches(const std::wstring& typed) const
{
    return PasswordHash[0] == 0 ? typed == Password : VerifyPassword(PasswordHash, typed);
}

BOOL CUserTable::SetPassword(const std::wstring& password)
{
    // No password has no hash, so that the account list can tell it without checking one.
    const std::wstring hash = password.empty() ? L"" : HashPassword(password);
    if (hash.empty() && !password.empty())
        return FALSE;
    SetRecordText(PasswordHash, hash);
    SetRecordText(Password, L"");
    return TRUE;
}

HRESULT CUserTable::StoreFailedLogon(__time64_t now, const std::wstring& event, BOOL& bRefused)
{
    std::vector<AuditEntry> entries{{event, L"", UserName}};
    bRefused = ++FailedLogons >= kFailuresBeforeRefusal;
    if (bRefused) {
        // The count starts afresh, so that the refusal's end gives the account five tries again.
        FailedLogons = 0;
        RefusedUntil = static_cast<LONG>(now + kRefusalSeconds);
        entries.push_back({L"Account refused", L"", AuditTrail::UtcTimeText(RefusedUntil) + L" UTC"});
    }
    return WriteWithRecords([this] { return SetData(); }, entries);
}

void CUserTable::ResetFailedLogons()
{
    FailedLogons = 0;
    RefusedUntil = 0;
}

std::wstring CUserTable::RefusalText() const
{
    return FormatWin(ModuleString(IDS_LOGON_REFUSED).c_str(), UserName, FormatTime(RefusedUntil, L"%H:%M:%S").c_str());
}
