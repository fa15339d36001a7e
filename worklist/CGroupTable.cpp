// Opening group_tbl.
#include "CGroupTable.h"

#include "WorklistSession.h"

namespace {

// A text column's width: what the record's field holds without its terminating zero.
template <std::size_t Size>
constexpr ULONG Width(const WCHAR (&)[Size])
{
    return Size - 1;
}

constexpr GroupRecord kRecord{};

// The columns that later versions added to group_tbl, in their order after ShutDownOption.
constexpr AddedColumn kAddedColumns[] = {
    {L"RecoveryCommand", DBTYPE_WSTR, Width(kRecord.RecoveryCommand)},
    {L"RunOpen", DBTYPE_I4, 0},
    {L"StoppedRow", DBTYPE_I4, 0},
    {L"OnFailure", DBTYPE_I4, 0},
    {L"EmergencyCommand", DBTYPE_WSTR, Width(kRecord.EmergencyCommand)},
    {L"QueueID", DBTYPE_I4, 0},
    {L"QueuePos", DBTYPE_I4, 0},
};

} // namespace

HRESULT CGroupTable::OpenDataSource() { return OpenWorklistSession(m_session, WorklistDataSourceProperties()); }

HRESULT CGroupTable::Open()
{
    HRESULT status = OpenDataSource();
    if (FAILED(status))
        return status;
    status = AddMissingColumns(m_session, L"group_tbl", kAddedColumns);
    return SUCCEEDED(status) ? Requery() : status;
}

HRESULT CGroupTable::Requery()
{
    const CDBPropSet rowset = ChangeableRowsetProperties();
    return CCommand::Open(m_session, L"SELECT * FROM group_tbl", &rowset);
}
