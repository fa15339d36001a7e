// The run's reads and writes on the worklist, and the journal of what the lab server cannot take.
#include "WorklistRunStore.h"

#include "module/core/CsvLine.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/QcRules.h"
#include "worklist/RowResults.h"
#include "worklist/WorklistSession.h"

#include "kernel/WinFormat.h"
#include "oledb/ErrorObject.h"

#include <utility>

WorklistRunStore::WorklistRunStore(CGroupTable& groupTable, MethodRows& rows)
    : m_groupTable(groupTable), m_rows(rows), m_journal(groupTable.Place())
{
}

BOOL WorklistRunStore::KeepsForServer(HRESULT status)
{
    return m_groupTable.Place().OnServer() && (m_journal.Waits() || status == DB_E_CANNOTCONNECT);
}

HRESULT WorklistRunStore::Kept(int error)
{
    if (error != 0)
        return ReportError(E_FAIL, IID_IRowsetChange,
                           FormatWin(ModuleString(IDS_JOURNAL_UNWRITABLE).c_str(),
                                     FileWriteFailure(RunJournal::kPath, error).c_str()));
    m_rows.SetOffline(TRUE);
    return S_OK;
}

void WorklistRunStore::ChangeRunState(MethodRecord* pRow, LONG nState, LPCWSTR lpszMessage,
                                      std::vector<ResultRecord> results)
{
    if (KeepsForServer(S_OK))
        m_rows.SetOffline(TRUE);
    const HRESULT written = m_rows.ChangeRunState(pRow, nState, lpszMessage, results);
    if (pRow && KeepsForServer(written) && SUCCEEDED(Kept(m_journal.KeepRow(m_rows.GroupName(), *pRow, results))))
        m_rows.ForgetUnsaved(pRow->aaaID);
}

HRESULT WorklistRunStore::Record(const std::wstring& strGroup, const AuditEntry& entry)
{
    const HRESULT status = KeepsForServer(S_OK) ? DB_E_CANNOTCONNECT : AuditTrail::Record(m_groupTable.Place(), strGroup, entry);
    return KeepsForServer(status) ? Kept(m_journal.KeepRecord(strGroup, entry)) : status;
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
    const HRESULT status = KeepsForServer(S_OK) ? DB_E_CANNOTCONNECT
                                                : GroupRows(m_groupTable).StoreRunEnd(nGroupId, nRunOpen, nStoppedRow, record);
    return KeepsForServer(status)
               ? Kept(m_journal.KeepRunEnd(m_rows.GroupName(), nGroupId, nRunOpen, nStoppedRow, record))
               : status;
}

HRESULT WorklistRunStore::StoreQueue(const std::vector<LONG>& ids) { return GroupRows(m_groupTable).StoreQueue(ids); }

std::vector<LONG> WorklistRunStore::QueueAfter(LONG nQueueId, LONG nPosition)
{
    return GroupRows(m_groupTable).QueueAfter(nQueueId, nPosition);
}

HRESULT WorklistRunStore::PassQueueRun(LONG nFromId, LONG nToId, const AuditEntry& fromEnd)
{
    // The next group's run begins on the server only after what waits for it has landed.
    if (KeepsForServer(S_OK))
        return ReportError(DB_E_CANNOTCONNECT, IID_IRowsetChange, ModuleString(IDS_SERVER_AWAY));
    return GroupRows(m_groupTable).PassQueueRun(nFromId, nToId, fromEnd);
}

HRESULT WorklistRunStore::LeaveQueue(LONG nGroupId)
{
    const HRESULT status = KeepsForServer(S_OK) ? DB_E_CANNOTCONNECT : GroupRows(m_groupTable).LeaveQueue(nGroupId);
    return KeepsForServer(status) ? Kept(m_journal.KeepLeaveQueue(m_rows.GroupName(), nGroupId)) : status;
}

HRESULT WorklistRunStore::Reach()
{
    const WorklistPlace& place = m_groupTable.Place();
    if (!place.OnServer())
        return S_OK;
    if (m_journal.Waits())
        return ReportError(DB_E_CANNOTCONNECT, IID_IRowsetChange, ModuleString(IDS_SERVER_AWAY));
    CSession session;
    return OpenWorklistSession(session, place, WorklistDataSourceProperties(place));
}

std::optional<RunJournal::Waiting> WorklistRunStore::WaitingForServer() { return m_journal.Waits(); }

HRESULT WorklistRunStore::Forward()
{
    const HRESULT status = m_journal.Forward();
    return SUCCEEDED(status) ? m_rows.SetOffline(FALSE) : status;
}

void WorklistRunStore::SetAside()
{
    if (m_journal.Waits() && m_journal.SetAside() == 0)
        m_rows.SetOffline(FALSE);
}

std::vector<ResultRecord> WorklistRunStore::ReadResults(const MethodRecord& row)
{
    std::vector<ResultRecord> group;
    std::vector<ResultRecord> results;
    const CMethodTable* pTable = m_rows.Table();
    if (pTable && SUCCEEDED(RowResults::ReadGroup(pTable->m_session, m_rows.GroupName(), group)))
        for (std::size_t line : RowResults::OfRow(group, row))
            results.push_back(group[line]);
    return results;
}

std::vector<QcRule> WorklistRunStore::ReadQcRules(LONG nGroupId)
{
    std::vector<QcRule> rules;
    QcRules::Read(m_groupTable.Place(), nGroupId, rules);
    return rules;
}

HRESULT WorklistRunStore::InsertRerun(LONG nRowId, const std::wstring& strCommentsPrefix)
{
    return m_rows.InsertRerun(nRowId, strCommentsPrefix);
}

HRESULT WorklistRunStore::OpenCalibration(const std::wstring& strCalibration, const std::vector<LONG>& ids,
                                          const AuditEntry& record)
{
    // The calibration group's rows on a table of their own: the shown rows are the waiting group's.
    MethodRows calibration(m_groupTable.Place());
    const HRESULT status = calibration.LoadGroup(strCalibration, ids.front());
    if (FAILED(status))
        return status;
    return calibration.CleanRunState([&](const CSession& session, AuditTrail& trail) {
        return GroupRows::OpenCalibration(session, trail, ids, record);
    });
}
