// The row algorithms on the shown group's method table: new rows, deleting rows, naming data
// files, checking, run states and finding rows. The method list control shows them as their
// observer. A failure leaves its error records for the caller to show.
#pragma once

#include "AuditTrail.h"
#include "CMethodTable.h"
#include "OfflineRows.h"
#include "ResultRecord.h"
#include "RowsObserver.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct ImportedRow;

class MethodRows {
public:
    // The rows of the worklist at place, which outlives them; new rows name the place's user.
    explicit MethodRows(const WorklistPlace& place) : m_place(place) {}
    ~MethodRows() = default;
    MethodRows(const MethodRows&) = delete;
    MethodRows& operator=(const MethodRows&) = delete;

    // Opens the group's table in place of the one held; a failed open leaves none.
    // With the group's id, the user's edits are refused while another host runs the group.
    HRESULT LoadGroup(const std::wstring& group, LONG groupId = 0);
    void ClearGroup();
    // The open table, or null.
    CMethodTable* Table() const { return m_pTable.get(); }
    const std::wstring& GroupName() const { return m_strGroup; }
    const WorklistPlace& Place() const { return m_place; }
    // The group's id as LoadGroup was given it; 0 when it was not.
    LONG GroupId() const { return m_nGroupId; }

    // copies rows of each name, in order, from place on; every row is named anew afterwards.
    HRESULT InsertMethods(const std::vector<std::wstring>& names, LONG copies, const std::wstring& methodPath,
                          LONG place);
    // The rows after the last one, their data files as given, as one edit with a record naming
    // source.
    HRESULT AppendRows(const std::vector<ImportedRow>& rows, const std::wstring& methodPath, const std::wstring& source);
    // Deletes the rows with these "aaaID"s and numbers the rest 0, 1, 2, ... in their order.
    HRESULT DeleteSelected(const std::set<LONG>& selected);
    // Data File := prefix with (counter + "aaaID") as ten digits and ".d". A null subFolder or
    // operatorName leaves that field.
    HRESULT AutoName(const wchar_t* subFolder, const std::wstring& prefix, LONG counter, const wchar_t* operatorName);
    HRESULT SetAllRunStates(BOOL check);
    // Before a run: rows that are not unchecked become checked, times and messages are cleared, and
    // alsoWrite writes beside them on the table's session, as one edit: a crash leaves both or
    // neither.
    HRESULT CleanRunState(const std::function<HRESULT(const CSession&, AuditTrail&)>& alsoWrite = {});
    // A copy of row id right after it, checked and without a result, as its rerun: its data file
    // with "R" before the extension, its comments after commentsPrefix; the rows after it move down
    // one. One edit with its record; the rows' cursor stays on row id.
    HRESULT InsertRerun(LONG id, const std::wstring& commentsPrefix);
    // The data file of a rerun of a row with dataFile: "R" before its extension.
    static std::wstring RerunDataFile(std::wstring dataFile);
    // Writes the current row back with a record of each entry, as one edit.
    HRESULT WriteRow(const std::vector<AuditEntry>& entries);
    // The name a run state has in the audit trail.
    static std::wstring RunStateName(LONG state);
    // row is the table's current row. A null message leaves "ErrMessage". The results of a row
    // that ended are written with its end, as one edit, and kept with it while it is unsaved. The
    // write's status; offline, DB_E_CANNOTCONNECT without a write.
    HRESULT ChangeRunState(MethodRecord* row, LONG state, const wchar_t* message, std::vector<ResultRecord> results = {});
    // Writes kept, a row's run state as another session or an earlier host left it, into the row
    // with its "aaaID", with its results; alsoWrite writes beside it in the same transaction.
    HRESULT WriteKept(const MethodRecord& kept, const std::vector<ResultRecord>& results,
                      const std::function<HRESULT(const CSession&)>& alsoWrite = {});
    // On a lab server, the rows are kept in memory from here on, with every change the module
    // makes, so that the finders can read them while the server cannot be reached.
    HRESULT KeepOfflineCopy();
    // Offline, the finders read the kept rows and run states are not written; a read that finds
    // the server gone goes offline by itself. Back online, the rows are read afresh.
    HRESULT SetOffline(BOOL offline);
    BOOL IsOffline() const { return m_bOffline; }
    // The row with "aaaID" id; with skipUnchecked, the first row from there on that is not
    // unchecked, id following it. Null when the rows run out.
    MethodRecord* FindRow(LONG& id, BOOL skipUnchecked);
    MethodRecord* FindRowById(LONG id, BOOL refuseUnchecked);
    // The first row from id on that has not completed (checked, running or interrupted), id
    // following it; null when the rows run out.
    MethodRecord* FindRowToContinue(LONG& id);
    // The "aaaID"s of the rows in state, in order.
    std::vector<LONG> RowsInState(LONG state);
    // Run states whose write failed stay in memory, shown, until SaveUnsaved writes them.
    BOOL HasUnsaved() const { return !m_unsaved.empty(); }
    // Why the last of them could not be written.
    const std::wstring& UnsavedReason() const { return m_unsavedReason; }
    HRESULT SaveUnsaved();
    void ForgetUnsaved();
    // The unsaved state of row id is kept elsewhere now.
    void ForgetUnsaved(LONG id);
    // A failure whose error record says why, when another host runs the group: its run owns the
    // rows until it ends.
    HRESULT EditableHere() const;
    // Who shows the rows (one at a time); null for none.
    void SetObserver(RowsObserver* observer) { m_pObserver = observer; }
    // Tells the observer to show every row again.
    void Refill();

private:
    // A row's end that the worklist has not taken yet, with its results.
    struct Unsaved {
        MethodRecord row;
        std::vector<ResultRecord> results;
    };
    // Writes the current row, row, whose state was oldState; a result goes with its audit record
    // and the run's results.
    HRESULT writeRunState(const MethodRecord& row, LONG oldState, const std::vector<ResultRecord>& results,
                          const std::function<HRESULT(const CSession&)>& alsoWrite = {});
    // Whether the finders read the kept rows: offline, or a move that failed with moved because
    // the server cannot be reached while rows are kept.
    BOOL readsOffline(HRESULT moved);
    // The first kept row from id on that take accepts, in the table's record; null for none.
    MethodRecord* findOffline(LONG& id, const std::function<bool(const MethodRecord&)>& take);
    // Keeps the row as unsaved when status failed; a write that landed replaces what was kept.
    void keepUnsaved(Unsaved unsaved, HRESULT status);
    // Runs edit, which returns its first failure, as one edit of the table: committed whole, or
    // aborted whole, the rows opened afresh and the failure's error records kept for the caller.
    template <class Edit>
    HRESULT editAsOne(Edit edit);
    // Runs write on every row from the first, writing each back; stops at the first failed write.
    template <class Write>
    HRESULT writeEveryRow(Write write);
    // The cursor on the first row with "aaaID" id, or past the last row when the rows end before
    // it, reached directly while the rows are numbered by their places; otherwise on the first
    // row, from which the callers walk.
    HRESULT moveToFirstWithId(LONG id);
    // Shows the rows again, and with current the cursor on that row; status keeps its error records.
    HRESULT refilled(HRESULT status, const LONG* current = nullptr);
    // The first and the last row's data file, for the audit trail.
    std::wstring dataFilesText();
    HRESULT nameRows(const wchar_t* subFolder, const std::wstring& prefix, LONG counter, const wchar_t* operatorName);

    const WorklistPlace& m_place;
    std::unique_ptr<CMethodTable> m_pTable;
    RowsObserver* m_pObserver = nullptr;
    std::wstring m_strGroup;
    LONG m_nGroupId = 0;
    std::vector<Unsaved> m_unsaved;
    std::wstring m_unsavedReason;
    OfflineRows m_offline;
    BOOL m_bOffline = FALSE;
};
