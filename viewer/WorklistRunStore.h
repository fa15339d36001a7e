// The run's reads and writes on the worklist: the shown group's rows and group_tbl.
#pragma once

#include "RunStore.h"

class CGroupTable;

class WorklistRunStore : public RunStore {
public:
    WorklistRunStore(CGroupTable& groupTable, MethodRows& rows) : m_groupTable(groupTable), m_rows(rows) {}

    MethodRows& Rows() override { return m_rows; }
    void ChangeRunState(MethodRecord* pRow, LONG nState, LPCWSTR lpszMessage, std::vector<ResultRecord> results) override;
    HRESULT Record(const std::wstring& strGroup, const AuditEntry& entry) override;
    std::optional<GroupRecord> ReadGroup(LONG nGroupId) override;
    HRESULT OpenRun(LONG nGroupId, bool bLeaveQueue, const AuditEntry& record) override;
    HRESULT StoreRunEnd(LONG nGroupId, LONG nRunOpen, LONG nStoppedRow, const AuditEntry& record) override;
    HRESULT StoreQueue(const std::vector<LONG>& ids) override;
    std::vector<LONG> QueueAfter(LONG nQueueId, LONG nPosition) override;
    HRESULT PassQueueRun(LONG nFromId, LONG nToId, const AuditEntry& fromEnd) override;
    HRESULT LeaveQueue(LONG nGroupId) override;

private:
    CGroupTable& m_groupTable;
    MethodRows& m_rows;
};
