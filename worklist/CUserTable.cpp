// Opening user_tbl and finding an account by name.
#include "CUserTable.h"

#include "WorklistSession.h"

#include "RecordText.h"
#include "ShowOleDbErrors.h"

#include "kernel/HashApi.h"
#include "kernel/Text.h"
#include "oledb/CTableDefinition.h"

namespace {

// Room for an Argon2id hash with its parameters and salt; the delivered Password column holds 50.
constexpr ULONG kHashChars = 128;

HRESULT AddHashColumn(const CSession& session)
{
    CTableDefinition definition;
    HRESULT status = definition.Open(session);
    DBCOLUMNDESC column{};
    column.dbcid = DBID{DBKIND_NAME, L"PasswordHash"};
    column.wType = DBTYPE_WSTR;
    column.ulColumnSize = kHashChars;
    if (SUCCEEDED(status))
        status = definition.AddColumn(DBID{DBKIND_NAME, L"user_tbl"}, column);
    return status == DB_E_DUPLICATECOLUMNID ? S_OK : status;
}

} // namespace

HRESULT CUserTable::Open()
{
    HRESULT status = OpenWorklistSession(m_session, UserDataSourceProperties());
    if (SUCCEEDED(status))
        status = AddHashColumn(m_session);
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
