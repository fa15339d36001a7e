// Opening user_tbl and finding an account by name.
#include "CUserTable.h"

#include "WorklistSession.h"

#include "RecordText.h"
#include "ShowOleDbErrors.h"

#include "kernel/HashApi.h"
#include "kernel/Text.h"

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
    HRESULT status = OpenWorklistSession(m_session, UserDataSourceProperties());
    if (SUCCEEDED(status))
        status = AddMissingColumns(m_session, L"user_tbl", kAddedColumns);
    if (FAILED(status))
        return status;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    return CCommand::Open(m_session, L"SELECT * FROM user_tbl", &rowset);
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
    const HRESULT status = AuditTrail::WriteWithRecords(m_session, write, L"", entries);
    ShowOleDbErrors(status);
    return status;
}

BOOL CUserTable::PasswordMatches(const std::wstring& typed) const
{
    return PasswordIsPlain() ? typed == Password : VerifyPassword(PasswordHash, typed);
}

BOOL CUserTable::SetPassword(const std::wstring& password)
{
    const std::wstring hash = HashPassword(password);
    if (hash.empty())
        return FALSE;
    SetRecordText(PasswordHash, hash);
    SetRecordText(Password, L"");
    return TRUE;
}

BOOL CUserTable::CountFailedLogon(__time64_t now)
{
    if (++FailedLogons < kFailuresBeforeRefusal)
        return FALSE;
    // The count starts afresh, so that the refusal's end gives the account five tries again.
    FailedLogons = 0;
    RefusedUntil = static_cast<LONG>(now + kRefusalSeconds);
    return TRUE;
}

void CUserTable::ResetFailedLogons()
{
    FailedLogons = 0;
    RefusedUntil = 0;
}
