// Opening group_tbl.
#include "CGroupTable.h"

#include "WorklistSession.h"

#include "oledb/CTableDefinition.h"

namespace {

// The columns that later versions added to group_tbl, in their order after ShutDownOption.
struct AddedColumn {
    const wchar_t* name;
    DBTYPE type;
    ULONG size;
};
constexpr AddedColumn kAddedColumns[] = {
    {L"RecoveryCommand", DBTYPE_WSTR, 50},
    {L"RunOpen", DBTYPE_I4, 0},
    {L"StoppedRow", DBTYPE_I4, 0},
    {L"OnFailure", DBTYPE_I4, 0},
    {L"EmergencyCommand", DBTYPE_WSTR, 50},
    {L"QueueID", DBTYPE_I4, 0},
    {L"QueuePos", DBTYPE_I4, 0},
};

// A worklist from an earlier version gains the columns it lacks, so that every row binds.
HRESULT AddMissingColumns(const CSession& session)
{
    CTableDefinition definition;
    HRESULT status = definition.Open(session);
    for (const AddedColumn& added : kAddedColumns) {
        if (FAILED(status))
            return status;
        DBCOLUMNDESC column{};
        column.dbcid = DBID{DBKIND_NAME, added.name};
        column.wType = added.type;
        column.ulColumnSize = added.size;
        status = definition.AddColumn(DBID{DBKIND_NAME, L"group_tbl"}, column);
        if (status == DB_E_DUPLICATECOLUMNID)
            status = S_OK;
    }
    return status;
}

} // namespace

HRESULT CGroupTable::OpenDataSource() { return OpenWorklistSession(m_session, WorklistDataSourceProperties()); }

HRESULT CGroupTable::Open()
{
    HRESULT status = OpenDataSource();
    if (FAILED(status))
        return status;
    status = AddMissingColumns(m_session);
    return SUCCEEDED(status) ? Requery() : status;
}

HRESULT CGroupTable::Requery()
{
    const CDBPropSet rowset = ChangeableRowsetProperties();
    return CCommand::Open(m_session, L"SELECT * FROM group_tbl", &rowset);
}
