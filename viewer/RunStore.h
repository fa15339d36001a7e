// What a group's run reads from the worklist and writes to it: the shown group's rows and the
// group's record in group_tbl. On a lab server the run's writes that the server cannot take wait
// on the instrument's machine until it can. WorklistRunStore is the worklist's; a test may fake
// any part.
#pragma once

#include "worklist/AuditTrail.h"
#include "worklist/GroupRecord.h"
#include "worklist/QcRule.h"
#include "worklist/ResultRecord.h"
#include "worklist/RunJournal.h"

#include "kernel/WinTypes.h"

#include <optional>
#include <string>
#include <vector>

class MethodRows;
struct MethodRecord;

class RunStore {
public:
    virtual ~RunStore() = default;

    // The shown group's rows, to read; the run writes them through ChangeRunState.
    virtual MethodRows& Rows() = 0;
    // pRow, the rows' current row, in run state nState; a null message leaves the row's. A row
    // that ended is written with the results of its run, as one edit. A write that the lab server
    // cannot take waits for it; one that fails otherwise keeps the row's result unsaved in the rows.
    virtual void ChangeRunState(MethodRecord* pRow, LONG nState, LPCWSTR lpszMessage,
                                std::vector<ResultRecord> results = {}) = 0;
    // An audit record of group strGroup's run that changes nothing else (a pause, a stop).
    virtual HRESULT Record(const std::wstring& strGroup, const AuditEntry& entry) = 0;
    // Group nGroupId's record as it is stored; empty when there is none or it cannot be read.
    virtual std::optional<GroupRecord> ReadGroup(LONG nGroupId) = 0;
    // Resets the rows for a run and records the run as open, as one edit; a failure has been shown.
    // This, StoreQueue, PassQueueRun, InsertRerun and OpenCalibration need the lab server: the run
    // waits for it before them (Reach). The other writes wait for it in the journal.
    virtual HRESULT OpenRun(LONG nGroupId, bool bLeaveQueue, const AuditEntry& record) = 0;
    // Whether the run is open, and the row a Stop aborted (from 1; 0 for none), with its record.
    virtual HRESULT StoreRunEnd(LONG nGroupId, LONG nRunOpen, LONG nStoppedRow, const AuditEntry& record) = 0;
    virtual HRESULT StoreQueue(const std::vector<LONG>& ids) = 0;
    // The queue's groups after place nPosition, in order.
    virtual std::vector<LONG> QueueAfter(LONG nQueueId, LONG nPosition) = 0;
    // Group nFromId's run ends and the queue's run goes on with group nToId, as one edit.
    virtual HRESULT PassQueueRun(LONG nFromId, LONG nToId, const AuditEntry& fromEnd) = 0;
    virtual HRESULT LeaveQueue(LONG nGroupId) = 0;

    // DB_E_CANNOTCONNECT, with its error record, while the lab server cannot be reached or writes
    // still wait for it; a worklist file is always reached.
    virtual HRESULT Reach() = 0;
    // The writes that wait for the lab server on this machine; empty when none waits.
    virtual std::optional<RunJournal::Waiting> WaitingForServer() = 0;
    // Writes what waits to the server, in order and once; a failure leaves it waiting.
    virtual HRESULT Forward() = 0;
    // Another instrument took over the group's run: what waits is set aside, never written.
    virtual void SetAside() = 0;
    // Group nGroupId's QC rules; none when it has none or they cannot be read.
    virtual std::vector<QcRule> ReadQcRules(LONG nGroupId) = 0;
    // The results that row's last end stored with it; none when it has none or they cannot be read.
    virtual std::vector<ResultRecord> ReadResults(const MethodRecord& row) = 0;
    // A copy of the shown group's row nRowId, checked, right after it, as its rerun.
    virtual HRESULT InsertRerun(LONG nRowId, const std::wstring& strCommentsPrefix) = 0;
    // As one edit: calibration group strCalibration (ids' first) is reset and its run opened, the
    // queue ids stored, and the run of ids' second group waits for it (RUNOPEN_CALIBRATING).
    virtual HRESULT OpenCalibration(const std::wstring& strCalibration, const std::vector<LONG>& ids,
                                    const AuditEntry& record) = 0;
};
