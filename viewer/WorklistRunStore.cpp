// The run's reads and writes on the worklist.
#include "WorklistRunStore.h"

#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"

#include <utility>

void WorklistRunStore::ChangeRunState(MethodRecord* pRow, LONG nState, LPCWSTR lpszMessage,
                                      std::vector<ResultRecord> results)
{
    m_rows.ChangeRunState(pRow, nState, lpszMessage, std::move(results));
}

HRESULT WorklistRunStore::Record(const std::wstring& strGroup, const AuditEntry& entry)
{
    return AuditTrail::Record(m_groupTable.Place(), strGroup, entry);
}

std::optional<GroupRecord> WorklistRunStore::ReadGroup(LONG nGroupId)
{
    if (!GroupRows(m_groupTable).FindById(nGroupId))
        return std::nullopt;
    return static_cast<const GroupRecord&>(m_groupTable);
}

HRESULT WorklistRunStore::OpenRun(LONG nGroupId, bool bLeaveQueue, const AuditEntry& record)
{
    return m_rows.CleanRunState([&](const CSession& session, AuditTrail& trail) {
        return GroupRows::OpenRun(session, trail, nGroupId, bLeaveQueue, record);
    });
}

HRESULT WorklistRunStore::StoreRunEnd(LONG nGroupId, LONG nRunOpen, LONG nStoppedRow, const AuditEntry& record)
{
    return GroupRows(m_groupTable).StoreRunEnd(nGroupId, nRunOpen, nStoppedRow, record);
}

HRESULT WorklistRunStore::StoreQueue(const std::vector<LONG>& ids) { return GroupRows(m_groupTable).StoreQueue(ids); }

std::vector<LONG> WorklistRunStore::QueueAfter(LONG nQueueId, LONG nPosition)
{
    return GroupRows(m_groupTable).QueueAfter(nQueueId, nPosition);
}

HRESULT WorklistRunStore::PassQueueRun(LONG nFromId, LONG nToId, const AuditEntry& fromEnd)
{
    return GroupRows(m_groupTable).PassQueueRun(nFromId, nToId, fromEnd);
}

HRESULT WorklistRunStore::LeaveQueue(LONG nGroupId) { return GroupRows(m_groupTable).LeaveQueue(nGroupId); }
