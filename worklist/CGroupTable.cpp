// Opening group_tbl.
#include "CGroupTable.h"

#include "QcRules.h"
#include "RecordText.h"
#include "RowResults.h"
#include "WorklistSession.h"

namespace {

constexpr GroupRecord kRecord{};

// The columns that later versions added to group_tbl, in their order after ShutDownOption.
constexpr AddedColumn kAddedColumns[] = {
    {L"RecoveryCommand", DBTYPE_WSTR, FieldWidth(kRecord.RecoveryCommand)},
    {L"RunOpen", DBTYPE_I4, 0},
    {L"StoppedRow", DBTYPE_I4, 0},
    {L"OnFailure", DBTYPE_I4, 0},
    {L"EmergencyCommand", DBTYPE_WSTR, FieldWidth(kRecord.EmergencyCommand)},
    {L"QueueID", DBTYPE_I4, 0},
    {L"QueuePos", DBTYPE_I4, 0},
};

} // namespace

HRESULT CGroupTable::OpenDataSource()
{
    return OpenWorklistSession(m_session, m_place, WorklistDataSourceProperties(m_place));
}

HRESULT CGroupTable::Open()
{
    HRESULT status = OpenDataSource();
    if (FAILED(status))
        return status;
    status = AddMissingColumns(m_session, L"group_tbl", kAddedColumns);
    // A worklist of an earlier version gains the tables of the rows' results and the QC rules too.
    if (SUCCEEDED(status))
        status = RowResults::MakeTable(m_session);
    if (SUCCEEDED(status))
        status = QcRules::MakeTable(m_session);
    return SUCCEEDED(status) ? Requery() : status;
}

HRESULT CGroupTable::Requery() { return OpenOn(m_session); }

HRESULT CGroupTable::OpenOn(const CSession& session)
{
    const CDBPropSet rowset = ChangeableRowsetProperties();
    return CCommand::Open(session, L"SELECT * FROM group_tbl", &rowset);
}
