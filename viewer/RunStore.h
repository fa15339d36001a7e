// What a group's run reads from the worklist and writes to it: the shown group's rows and the
// group's record in group_tbl. WorklistRunStore is the worklist's; a test may fake any part.
#pragma once

#include "worklist/AuditTrail.h"
#include "worklist/GroupRecord.h"

#include "kernel/WinTypes.h"

#include <optional>
#include <vector>

class MethodRows;

class RunStore {
public:
    virtual ~RunStore() = default;

    // The shown group's rows.
    virtual MethodRows& Rows() = 0;
    // Group nGroupId's record as it is stored; empty when there is none.
    virtual std::optional<GroupRecord> ReadGroup(LONG nGroupId) = 0;
    // Resets the rows for a run and records the run as open, as one edit; a failure has been shown.
    virtual HRESULT OpenRun(LONG nGroupId, bool bLeaveQueue, const AuditEntry& record) = 0;
    // Whether the run is open, and the row a Stop aborted (from 1; 0 for none), with its record.
    virtual HRESULT StoreRunEnd(LONG nGroupId, LONG nRunOpen, LONG nStoppedRow, const AuditEntry& record) = 0;
    virtual HRESULT StoreQueue(const std::vector<LONG>& ids) = 0;
    // The queue's groups after place nPosition, in order.
    virtual std::vector<LONG> QueueAfter(LONG nQueueId, LONG nPosition) = 0;
    // Group nFromId's run ends and the queue's run goes on with group nToId, as one edit.
    virtual HRESULT PassQueueRun(LONG nFromId, LONG nToId, const AuditEntry& fromEnd) = 0;
    virtual HRESULT LeaveQueue(LONG nGroupId) = 0;
};
