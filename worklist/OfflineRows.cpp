// The shown group's rows kept in memory for a run that goes on while the lab server is away.
#include "OfflineRows.h"

#include "CMethodTable.h"
#include "RecordText.h"

#include <algorithm>

OfflineRows::Row OfflineRows::From(const MethodRecord& record)
{
    return {record.aaaID,     record.RunState, record.Counter,   record.StartTime,   record.EndTime,
            record.MethodName, record.DataFile, record.Comments, record.Operator,    record.Prefix,
            record.SubFolder,  record.SysMethPath, record.ErrMessage};
}

void OfflineRows::CopyTo(const Row& row, MethodRecord& record)
{
    record.aaaID = row.aaaID;
    record.RunState = row.RunState;
    record.Counter = row.Counter;
    record.StartTime = row.StartTime;
    record.EndTime = row.EndTime;
    SetRecordText(record.MethodName, row.MethodName);
    SetRecordText(record.DataFile, row.DataFile);
    SetRecordText(record.Comments, row.Comments);
    SetRecordText(record.Operator, row.Operator);
    SetRecordText(record.Prefix, row.Prefix);
    SetRecordText(record.SubFolder, row.SubFolder);
    SetRecordText(record.SysMethPath, row.SysMethPath);
    SetRecordText(record.ErrMessage, row.ErrMessage);
}

BOOL OfflineRows::Keep(CMethodTable& table)
{
    m_rows.clear();
    HRESULT moved = table.MoveFirst();
    for (; moved == S_OK; moved = table.MoveNext())
        m_rows.push_back(From(table));
    if (FAILED(moved))
        m_rows.clear();
    return SUCCEEDED(moved);
}

void OfflineRows::Update(const MethodRecord& row)
{
    const auto kept = std::ranges::lower_bound(m_rows, row.aaaID, {}, &Row::aaaID);
    if (kept != m_rows.end() && kept->aaaID == row.aaaID)
        *kept = From(row);
}

BOOL OfflineRows::Find(LONG& id, const std::function<bool(const MethodRecord&)>& take, MethodRecord& found) const
{
    for (auto row = std::ranges::lower_bound(m_rows, id, {}, &Row::aaaID); row != m_rows.end(); ++row) {
        CopyTo(*row, found);
        if (take(found)) {
            id = row->aaaID;
            return TRUE;
        }
    }
    return FALSE;
}

std::vector<LONG> OfflineRows::RowsInState(LONG state) const
{
    std::vector<LONG> ids;
    for (const Row& row : m_rows)
        if (row.RunState == state)
            ids.push_back(row.aaaID);
    return ids;
}
