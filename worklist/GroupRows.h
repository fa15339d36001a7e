// The group operations the main window performs on its group table: listing, checking a new name,
// adding a group with its method table, deleting a group's row and its shut-down option, and the
// queue that runs groups one after another.
#pragma once

#include "CGroupTable.h"

#include "kernel/TimeApi.h"

#include <functional>
#include <string>
#include <vector>

class AuditTrail;
class CTableDefinition;
struct AuditEntry;

// What Add does when the name's method table is there already without a group row (left by a
// crash of an older version): refuses it for the caller to ask, takes it back with its rows, or
// removes it and makes the table anew.
enum class OrphanTable { Refuse, TakeBack, Remove };

struct GroupEntry {
    std::wstring name;
    LONG id;
    // The group's RunOpen.
    LONG runOpen = 0;
};

class GroupRows {
public:
    explicit GroupRows(CGroupTable& table) : m_table(table) {}

    std::vector<GroupEntry> List();
    // Why name cannot become a group beside the listed ones, or empty when it can. A name is a
    // table name and the start of data file names, so it must also be a file name's start.
    static std::wstring RefusalOf(const std::wstring& name, const std::vector<GroupEntry>& listed);
    // Waits a second (through wait), then creates the method table and appends the row with the
    // last row's id plus one (2 for the first group of an empty table when listIsEmpty), as one
    // edit. A failure writes nothing and leaves its error records (a name that another host added
    // meanwhile is refused in one); DB_E_DUPLICATETABLEID for an orphan table that orphan refuses
    // is for the caller to ask what to do with it.
    HRESULT Add(const std::wstring& name, bool listIsEmpty, LONG* newId, void (*wait)(DWORD) = Sleep,
                OrphanTable orphan = OrphanTable::Refuse);
    // Deletes the row of group id when it still has that name, as the rows are now; false when
    // there is none.
    bool DeleteRow(LONG id, const std::wstring& name);
    // The row of group id becomes current; false when no row has it.
    bool FindById(LONG id);
    // Stores a shut-down command in the row of group id, cut to the field.
    void StoreShutDownOption(LONG id, const std::wstring& option);
    void StoreRecoveryCommand(LONG id, const std::wstring& command);
    // What a failed row does to the group's run (ONFAILURE_...) and the command sent then.
    void StoreFailurePolicy(LONG id, LONG onFailure, const std::wstring& emergencyCommand);
    // What group id's run leaves behind: whether the run is open (its shut-down not yet sent) and
    // the row a Stop aborted (from 1; 0 for none), written with the record of the run's step. A
    // closed run anchors the audit trail. alsoWrite writes beside it in the same transaction.
    HRESULT StoreRunEnd(LONG id, LONG runOpen, LONG stoppedRow, const AuditEntry& record,
                        const std::function<HRESULT(const CSession&)>& alsoWrite = {});
    // Group id's run opens, with no stopped row and, with leaveQueue, out of its queue, and with the
    // record of its start: written on session, inside the edit that session holds, so that it is
    // one edit with the rows the run resets.
    static HRESULT OpenRun(const CSession& session, AuditTrail& trail, LONG id, bool leaveQueue, const AuditEntry& record);
    // Calibration group ids' first opens its run, before ids' second, whose run waits for it
    // (RUNOPEN_CALIBRATING), and the rest of the queue ids; on session, inside its edit, with the
    // record of the calibration's start.
    static HRESULT OpenCalibration(const CSession& session, AuditTrail& trail, const std::vector<LONG>& ids,
                                   const AuditEntry& record);
    // Stores the queue of the groups ids, run in that order, with the first group's run open, as one
    // edit: a host that dies from here on leaves a queue for Continue. The queue's id is its first
    // group's id.
    HRESULT StoreQueue(const std::vector<LONG>& ids);
    // The groups of queue queueId after place position, in their order.
    std::vector<LONG> QueueAfter(LONG queueId, LONG position);
    // One edit: group fromId's run ends and leaves the queue, with the record of its end, and group
    // toId's run opens, so that a host that dies between the two groups leaves a run for Continue.
    HRESULT PassQueueRun(LONG fromId, LONG toId, const AuditEntry& fromEnd);
    // Takes group id out of its queue, so that a run of it alone does not go on with the queue, as
    // one edit with what alsoWrite writes.
    HRESULT LeaveQueue(LONG id, const std::function<HRESULT(const CSession&)>& alsoWrite = {});

private:
    // The row of group id becomes current: S_OK, DB_E_NOTABLE when no row has it, or why the rows
    // cannot be read.
    HRESULT Find(LONG id);
    // Makes change (which returns its status) as one edit on freshly read rows; a failure leaves
    // nothing written.
    HRESULT EditAsOne(const std::function<HRESULT()>& change);
    // The new group's method table, with an orphan of the same name dealt with as asked.
    static HRESULT MakeTable(CTableDefinition& definition, const std::wstring& name, OrphanTable orphan);
    // The new group's row, its id one more than the last row's.
    HRESULT InsertRow(const std::wstring& name, bool listIsEmpty);

    // Writes the current row (SetData or Delete) with a record of the change, and what alsoWrite
    // writes, as one edit.
    HRESULT writeWithRecord(HRESULT (CRowset::*write)(), const AuditEntry& entry, BOOL bAnchor = FALSE,
                            const std::function<HRESULT(const CSession&)>& alsoWrite = {});
    // Stores the current row's changed option; a record only when its value changed.
    void storeOption(const AuditEntry& change);

    CGroupTable& m_table;
};
