// The run's reads and writes on the worklist: the shown group's rows and group_tbl, and on a lab
// server the journal that keeps what the server cannot take while it is away.
#pragma once

#include "RunStore.h"

class CGroupTable;

class WorklistRunStore : public RunStore {
public:
    WorklistRunStore(CGroupTable& groupTable, MethodRows& rows);

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
    HRESULT Reach() override;
    std::optional<RunJournal::Waiting> WaitingForServer() override;
    HRESULT Forward() override;
    void SetAside() override;
    std::vector<QcRule> ReadQcRules(LONG nGroupId) override;
    std::vector<ResultRecord> ReadResults(const MethodRecord& row) override;
    HRESULT InsertRerun(LONG nRowId, const std::wstring& strCommentsPrefix) override;
    HRESULT OpenCalibration(const std::wstring& strCalibration, const std::vector<LONG>& ids,
                            const AuditEntry& record) override;

private:
    // Whether a write goes to the journal: one waits there already (nothing overtakes it), or the
    // server could not be reached for this one (status).
    BOOL KeepsForServer(HRESULT status);
    // A write kept in the journal (error 0) stands as written, and the rows read what they keep
    // until the journal is forwarded; a journal that cannot be written fails the write.
    HRESULT Kept(int error);

    CGroupTable& m_groupTable;
    MethodRows& m_rows;
    RunJournal m_journal;
};
