// The row algorithms of a group's method table.
#include "MethodRows.h"

#include "AuditTrail.h"
#include "EditTransaction.h"
#include "ImportedRow.h"
#include "KeptErrorRecords.h"
#include "OleDbErrorText.h"
#include "RecordText.h"
#include "RowResults.h"
#include "RunClaim.h"

#include "module/core/ModuleString.h"
#include "module/core/TraceLog.h"
#include "resources/ResourceIds.h"

#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"
#include "oledb/ErrorObject.h"

#include <iterator>
#include <map>

namespace {

// field := "%s%010d.d" of prefix and number (the sign, then digits with leading zeros to ten
// characters in all), cut as every text is. Built by hand: AutoName names every row of a group.
void SetDataFileName(WCHAR (&field)[256], std::wstring_view prefix, LONG number)
{
    wchar_t name[kLongestRecordText + 16];
    std::size_t length = prefix.copy(name, kLongestRecordText);
    if (number < 0)
        name[length++] = L'-';
    auto magnitude = number < 0 ? -static_cast<long long>(number) : static_cast<long long>(number);
    wchar_t digits[12];
    std::size_t count = 0;
    for (; magnitude > 0 || count == 0; magnitude /= 10)
        digits[count++] = static_cast<wchar_t>(L'0' + magnitude % 10);
    for (std::size_t width = number < 0 ? 9 : 10; count < width; --width)
        name[length++] = L'0';
    while (count > 0)
        name[length++] = digits[--count];
    name[length++] = L'.';
    name[length++] = L'd';
    SetRecordText(field, std::wstring_view(name, length));
}

// "rows 3-5: Nitrate, Phosphate": the rows from firstId to before endId, and what each name got.
std::wstring AddedRowsText(const std::vector<std::wstring>& names, LONG copies, LONG firstId, LONG endId)
{
    std::vector<LONG> ids;
    for (LONG id = firstId; id < endId; ++id)
        ids.push_back(id);
    std::wstring text = L"rows " + AuditTrail::RowNumbers(ids) + L":";
    for (const std::wstring& name : names)
        text += (&name == &names.front() ? L" " : L", ") + name;
    return copies > 1 ? text + FormatWin(L" (%d copies each)", copies) : text;
}

// Names the row's data file after prefix and its number counted from counter; a null sub-folder or
// operator keeps the row's own.
void NameRow(MethodRecord& row, const wchar_t* subFolder, const std::wstring& prefix, LONG counter,
             const wchar_t* operatorName)
{
    SetDataFileName(row.DataFile, prefix, counter + row.aaaID);
    if (subFolder)
        SetRecordText(row.SubFolder, subFolder);
    SetRecordText(row.Prefix, prefix);
    if (operatorName)
        SetRecordText(row.Operator, operatorName);
    row.Counter = counter;
}

} // namespace

std::wstring MethodRows::RunStateName(LONG state)
{
    static constexpr const wchar_t* names[] = {L"none", L"checked", L"running", L"done", L"failed", L"unchecked",
                                               L"interrupted"};
    return state >= 0 && state < static_cast<LONG>(std::size(names)) ? names[state] : std::to_wstring(state);
}

std::wstring MethodRows::dataFilesText()
{
    if (m_pTable->MoveFirst() != S_OK)
        return {};
    const std::wstring first = m_pTable->DataFile;
    m_pTable->MoveLast();
    return first == m_pTable->DataFile ? first : first + L" ... " + m_pTable->DataFile;
}

HRESULT MethodRows::WriteRow(const std::vector<AuditEntry>& entries)
{
    const HRESULT status = AuditTrail::WriteWithRecords(
        m_pTable->m_session, m_place, [this] { return m_pTable->SetData(); }, m_strGroup, entries);
    if (SUCCEEDED(status))
        m_offline.Update(*m_pTable);
    return status;
}

HRESULT MethodRows::LoadGroup(const std::wstring& group, LONG groupId)
{
    ClearGroup();
    auto table = std::make_unique<CMethodTable>(m_place);
    const HRESULT status = table->Open(group);
    if (SUCCEEDED(status)) {
        m_pTable = std::move(table);
        m_strGroup = group;
        m_nGroupId = groupId;
    }
    return status;
}

void MethodRows::ClearGroup()
{
    m_offline.Clear();
    m_bOffline = FALSE;
    m_pTable.reset();
    m_strGroup.clear();
    m_nGroupId = 0;
}

HRESULT MethodRows::EditableHere() const
{
    if (!m_nGroupId || !RunClaim::IsClaimedByAnotherHost(m_place, m_nGroupId))
        return S_OK;
    const std::wstring strInstrument = RunClaim::RunningOn(m_place, m_nGroupId);
    return ReportError(E_FAIL, IID_IRowsetChange,
                       strInstrument.empty()
                           ? FormatWin(ModuleString(IDS_GROUP_CHANGED_ELSEWHERE).c_str(), m_strGroup.c_str())
                           : FormatWin(ModuleString(IDS_GROUP_CHANGED_ON_INSTRUMENT).c_str(), strInstrument.c_str(),
                                       m_strGroup.c_str()));
}

HRESULT MethodRows::refilled(HRESULT status, const LONG* current)
{
    const KeptErrorRecords kept;
    // Rows another edit changed are kept as they are now.
    if (m_offline.IsKept())
        KeepOfflineCopy();
    if (current) {
        LONG id = *current;
        FindRow(id, FALSE);
    }
    Refill();
    return status;
}

template <class Edit>
HRESULT MethodRows::editAsOne(Edit edit)
{
    HRESULT status;
    {
        EditTransaction transaction(m_pTable->m_session);
        status = transaction.Started();
        // Read again under the write lock, unless the rows held are still the table's: rows
        // another host wrote meanwhile are edited too, never numbered or written over as if they
        // were not there. The rows held are in "aaaID" order, as an edit that numbers them anew
        // reads them again before it ends.
        if (SUCCEEDED(status) && !m_pTable->HoldsEveryRow())
            status = m_pTable->Requery();
        if (SUCCEEDED(status)) {
            AuditTrail trail(m_pTable->m_session, m_place);
            status = SUCCEEDED(trail.Opened()) ? edit(trail) : trail.Opened();
        }
        if (SUCCEEDED(status))
            status = transaction.Commit();
    }
    if (SUCCEEDED(status))
        return status;
    // The rowset may still hold rows that the abort took back. Opened again in the same object,
    // since the run sequencer may hold its record.
    const KeptErrorRecords failure;
    if (FAILED(m_pTable->Requery())) {
        const std::wstring group = m_strGroup;
        LoadGroup(group);
    }
    return status;
}

template <class Write>
HRESULT MethodRows::writeEveryRow(Write write)
{
    for (m_pTable->MoveFirst(); m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        write(static_cast<MethodRecord&>(*m_pTable));
        const HRESULT status = m_pTable->SetData();
        if (FAILED(status))
            return status;
    }
    return S_OK;
}

HRESULT MethodRows::InsertMethods(const std::vector<std::wstring>& names, LONG copies, const std::wstring& methodPath,
                                  LONG place)
{
    if (!m_pTable)
        return S_OK;
    if (const HRESULT refused = EditableHere(); FAILED(refused))
        return refused;
    const HRESULT status = editAsOne([&](AuditTrail& trail) {
        const LONG added = static_cast<LONG>(names.size()) * copies;
        HRESULT status = writeEveryRow([place, added](MethodRecord& row) {
            if (row.aaaID >= place)
                row.aaaID += added;
        });
        const std::wstring dataFile = ModuleString(IDS_DEFAULT_DATA_FILE);
        for (const std::wstring& name : names) {
            for (LONG copy = 0; copy < copies && SUCCEEDED(status); ++copy) {
                m_pTable->ClearRecord();
                SetRecordText(m_pTable->MethodName, name);
                SetRecordText(m_pTable->DataFile, dataFile);
                SetRecordText(m_pTable->SysMethPath, methodPath);
                SetRecordText(m_pTable->Operator, m_place.strUserName);
                m_pTable->RunState = RUNSTATE_CHECKED;
                m_pTable->aaaID = place++;
                status = m_pTable->Insert();
            }
        }
        if (SUCCEEDED(status))
            status = trail.Add(m_strGroup, L"Rows added", L"", AddedRowsText(names, copies, place - added, place));
        if (SUCCEEDED(status))
            status = m_pTable->Requery();
        return SUCCEEDED(status) ? nameRows(L"", m_strGroup, 0, nullptr) : status;
    });
    return refilled(status);
}

std::wstring MethodRows::RerunDataFile(std::wstring dataFile)
{
    const std::size_t dot = dataFile.rfind(L'.');
    return dataFile.insert(dot == std::wstring::npos ? dataFile.size() : dot, L"R");
}

HRESULT MethodRows::InsertRerun(LONG id, const std::wstring& commentsPrefix)
{
    if (!m_pTable)
        return E_FAIL;
    const HRESULT status = editAsOne([&](AuditTrail& trail) {
        const MethodRecord* original = FindRowById(id, FALSE);
        if (!original)
            return E_FAIL;
        MethodRecord rerun = *original;
        HRESULT status = writeEveryRow([id](MethodRecord& row) {
            if (row.aaaID > id)
                ++row.aaaID;
        });
        static_cast<MethodRecord&>(*m_pTable) = rerun;
        m_pTable->aaaID = id + 1;
        m_pTable->RunState = RUNSTATE_CHECKED;
        m_pTable->StartTime = 0;
        m_pTable->EndTime = 0;
        SetRecordText(m_pTable->ErrMessage, L"");
        SetRecordText(m_pTable->DataFile, RerunDataFile(rerun.DataFile));
        SetRecordText(m_pTable->Comments, commentsPrefix + rerun.Comments);
        if (SUCCEEDED(status))
            status = m_pTable->Insert();
        if (SUCCEEDED(status))
            status = trail.Add(m_strGroup, L"Rows added", L"",
                               FormatWin(L"row %d: %s (%s)", id + 2, m_pTable->MethodName, m_pTable->Comments));
        return SUCCEEDED(status) ? m_pTable->Requery() : status;
    });
    return refilled(status, &id);
}

HRESULT MethodRows::AppendRows(const std::vector<ImportedRow>& rows, const std::wstring& methodPath,
                               const std::wstring& source)
{
    if (!m_pTable)
        return E_FAIL;
    if (const HRESULT refused = EditableHere(); FAILED(refused))
        return refused;
    const HRESULT status = editAsOne([&](AuditTrail& trail) {
        std::vector<LONG> added;
        LONG next = m_pTable->MoveLast() == S_OK ? m_pTable->aaaID + 1 : 0;
        HRESULT status = S_OK;
        for (auto row = rows.begin(); row != rows.end() && SUCCEEDED(status); ++row) {
            m_pTable->ClearRecord();
            SetRecordText(m_pTable->MethodName, row->method);
            if (row->dataFile.empty())
                SetDataFileName(m_pTable->DataFile, m_strGroup, next);
            else
                SetRecordText(m_pTable->DataFile, row->dataFile);
            SetRecordText(m_pTable->Comments, row->comments);
            SetRecordText(m_pTable->SubFolder, row->subFolder);
            SetRecordText(m_pTable->SysMethPath, methodPath);
            SetRecordText(m_pTable->Operator, m_place.strUserName);
            m_pTable->RunState = row->checked ? RUNSTATE_CHECKED : RUNSTATE_UNCHECKED;
            m_pTable->aaaID = next;
            added.push_back(next++);
            status = m_pTable->Insert();
        }
        return SUCCEEDED(status) ? trail.Add(m_strGroup, L"Rows imported", L"",
                                             L"rows " + AuditTrail::RowNumbers(added) + L" from " + source)
                                 : status;
    });
    return refilled(status);
}

HRESULT MethodRows::DeleteSelected(const std::set<LONG>& selected)
{
    if (!m_pTable)
        return S_OK;
    if (const HRESULT refused = EditableHere(); FAILED(refused))
        return refused;
    const HRESULT status = editAsOne([&](AuditTrail& trail) {
        HRESULT status = S_OK;
        std::vector<LONG> deleted;
        std::wstring methods;
        // After a delete there is no current row, and the next move reads the row that followed.
        // A refused delete ends the loop before a move replaces its error records.
        for (m_pTable->MoveFirst(); m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
            if (!selected.contains(m_pTable->aaaID))
                continue;
            deleted.push_back(m_pTable->aaaID);
            methods += std::wstring(methods.empty() ? L"" : L", ") + m_pTable->MethodName + L" (" + m_pTable->DataFile + L")";
            status = m_pTable->Delete();
            if (FAILED(status))
                break;
        }
        if (SUCCEEDED(status) && !deleted.empty())
            status = trail.Add(m_strGroup, L"Rows deleted", L"rows " + AuditTrail::RowNumbers(deleted) + L": " + methods);
        // Each row is renumbered and named again in one write.
        LONG number = 0;
        return SUCCEEDED(status) ? writeEveryRow([&](MethodRecord& row) {
            row.aaaID = number++;
            NameRow(row, L"", m_strGroup, 0, nullptr);
        })
                                 : status;
    });
    return refilled(status);
}

HRESULT MethodRows::AutoName(const wchar_t* subFolder, const std::wstring& prefix, LONG counter,
                             const wchar_t* operatorName)
{
    HRESULT status = m_pTable ? EditableHere() : S_OK;
    if (m_pTable && SUCCEEDED(status))
        status = editAsOne([&](AuditTrail& trail) {
            const std::wstring before = dataFilesText();
            const HRESULT status = nameRows(subFolder, prefix, counter, operatorName);
            const std::wstring settings = FormatWin(L" (prefix \"%s\", counter %d, sub-folder \"%s\", operator \"%s\")",
                                                    prefix.c_str(), counter, subFolder ? subFolder : L"(kept)",
                                                    operatorName ? operatorName : L"(kept)");
            return SUCCEEDED(status) ? trail.Add(m_strGroup, L"Rows renamed by Autoname", before, dataFilesText() + settings)
                                     : status;
        });
    return refilled(status);
}

HRESULT MethodRows::nameRows(const wchar_t* subFolder, const std::wstring& prefix, LONG counter,
                             const wchar_t* operatorName)
{
    return writeEveryRow([&](MethodRecord& row) { NameRow(row, subFolder, prefix, counter, operatorName); });
}

HRESULT MethodRows::SetAllRunStates(BOOL check)
{
    HRESULT status = m_pTable ? EditableHere() : S_OK;
    if (m_pTable && SUCCEEDED(status)) {
        const LONG current = m_pTable->aaaID;
        status = editAsOne([&](AuditTrail& trail) {
            const LONG state = check ? RUNSTATE_CHECKED : RUNSTATE_UNCHECKED;
            std::map<LONG, std::vector<LONG>> changed;
            HRESULT status = writeEveryRow([&](MethodRecord& row) {
                if (row.RunState != state)
                    changed[row.RunState].push_back(row.aaaID);
                row.RunState = state;
            });
            std::wstring before;
            for (const auto& [oldState, ids] : changed)
                before += (before.empty() ? L"" : L"; ") + RunStateName(oldState) + L": rows " + AuditTrail::RowNumbers(ids);
            if (SUCCEEDED(status) && !changed.empty())
                status = trail.Add(m_strGroup, check ? L"All rows checked" : L"All rows unchecked", before, RunStateName(state));
            return status;
        });
        return refilled(status, &current);
    }
    return refilled(status);
}

HRESULT MethodRows::CleanRunState(const std::function<HRESULT(const CSession&, AuditTrail&)>& alsoWrite)
{
    TraceLog(3, L"CleanRunState");
    if (m_pTable) {
        const LONG current = m_pTable->aaaID;
        const HRESULT status = editAsOne([&](AuditTrail& trail) {
            const HRESULT cleaned = writeEveryRow([](MethodRecord& row) {
                if (row.RunState != RUNSTATE_UNCHECKED)
                    row.RunState = RUNSTATE_CHECKED;
                row.StartTime = 0;
                row.EndTime = 0;
                SetRecordText(row.ErrMessage, L"");
            });
            return SUCCEEDED(cleaned) && alsoWrite ? alsoWrite(m_pTable->m_session, trail) : cleaned;
        });
        return refilled(status, &current);
    }
    return refilled(S_OK);
}

HRESULT MethodRows::ChangeRunState(MethodRecord* row, LONG state, const wchar_t* message, std::vector<ResultRecord> results)
{
    TraceLog(3, L"ChangeRunState: %d, %s\n", state, message ? message : L"(null)");
    if (!m_pTable || !row)
        return S_OK;
    const auto now = static_cast<LONG>(_time64(nullptr));
    // A row that runs again has no end until it ends.
    if (state == RUNSTATE_RUNNING) {
        row->StartTime = now;
        row->EndTime = 0;
    }
    if (state == RUNSTATE_DONE || state == RUNSTATE_FAILED)
        row->EndTime = now;
    if (message)
        SetRecordText(row->ErrMessage, message);
    const LONG oldState = row->RunState;
    row->RunState = state;
    m_offline.Update(*row);
    const HRESULT written = m_bOffline ? ReportError(DB_E_CANNOTCONNECT, IID_IRowsetChange, ModuleString(IDS_SERVER_AWAY))
                                       : writeRunState(*row, oldState, results);
    if (m_pObserver)
        m_pObserver->UpdateRowState(row->aaaID, state, message, results);
    keepUnsaved({*row, std::move(results)}, written);
    return written;
}

HRESULT MethodRows::WriteKept(const MethodRecord& kept, const std::vector<ResultRecord>& results,
                              const std::function<HRESULT(const CSession&)>& alsoWrite)
{
    MethodRecord* row = FindRowById(kept.aaaID, FALSE);
    if (!row)
        return S_OK;
    const LONG oldState = row->RunState;
    row->RunState = kept.RunState;
    row->StartTime = kept.StartTime;
    row->EndTime = kept.EndTime;
    SetRecordText(row->ErrMessage, kept.ErrMessage);
    return writeRunState(*row, oldState, results, alsoWrite);
}

HRESULT MethodRows::KeepOfflineCopy()
{
    if (!m_pTable || !m_place.OnServer())
        return S_OK;
    return m_offline.Keep(*m_pTable) ? S_OK : E_FAIL;
}

HRESULT MethodRows::SetOffline(BOOL offline)
{
    if (!offline && m_bOffline) {
        if (const HRESULT status = m_pTable->Requery(); FAILED(status))
            return status;
        m_bOffline = FALSE;
        KeepOfflineCopy();
        Refill();
    }
    m_bOffline = offline && m_offline.IsKept();
    return S_OK;
}

BOOL MethodRows::readsOffline(HRESULT moved)
{
    if (moved == DB_E_CANNOTCONNECT && m_offline.IsKept()) {
        TraceLog(3, L"MethodRows: offline\n");
        m_bOffline = TRUE;
    }
    return m_bOffline;
}

MethodRecord* MethodRows::findOffline(LONG& id, const std::function<bool(const MethodRecord&)>& take)
{
    return m_offline.Find(id, take, *m_pTable) ? m_pTable.get() : nullptr;
}

void MethodRows::Refill()
{
    if (m_pObserver)
        m_pObserver->Refill();
}

HRESULT MethodRows::writeRunState(const MethodRecord& row, LONG oldState, const std::vector<ResultRecord>& results,
                                  const std::function<HRESULT(const CSession&)>& alsoWrite)
{
    const LONG state = row.RunState;
    const auto setData = [&] {
        const HRESULT written = m_pTable->SetData();
        return SUCCEEDED(written) && alsoWrite ? alsoWrite(m_pTable->m_session) : written;
    };
    if (state != RUNSTATE_DONE && state != RUNSTATE_FAILED)
        return alsoWrite ? AuditTrail::WriteWithRecords(m_pTable->m_session, m_place, setData, m_strGroup, {})
                         : m_pTable->SetData();
    // A result goes only into the worklist at its path: a file deleted or renamed away would take
    // it along unseen, so it stays unsaved until the file is back.
    if (const HRESULT inPlace = m_pTable->m_session.CheckInPlace(); FAILED(inPlace))
        return inPlace;
    // A row's result is in the audit trail with the state it ended in.
    const std::wstring result = RunStateName(state) + (row.ErrMessage[0] ? L": " + std::wstring(row.ErrMessage) : L"");
    return AuditTrail::WriteWithRecords(
        m_pTable->m_session, m_place,
        [&] {
            const HRESULT written = setData();
            return SUCCEEDED(written) ? RowResults::Add(m_pTable->m_session, m_strGroup, row, results) : written;
        },
        m_strGroup,
        {{FormatWin(L"Row %d %s", row.aaaID + 1, RunStateName(state).c_str()), RunStateName(oldState), result}});
}

void MethodRows::keepUnsaved(Unsaved unsaved, HRESULT status)
{
    std::erase_if(m_unsaved, [&](const Unsaved& kept) { return kept.row.aaaID == unsaved.row.aaaID; });
    if (FAILED(status)) {
        m_unsaved.push_back(std::move(unsaved));
        m_unsavedReason = OleDbErrorText(status);
    }
}

HRESULT MethodRows::SaveUnsaved()
{
    if (!m_pTable)
        return S_OK;
    HRESULT status = S_OK;
    // A retry runs from the message loop: a lock that is still held fails it at once, and it is
    // tried again later, instead of holding the window up while the lock lasts.
    m_pTable->m_session.WaitForLocks(FALSE);
    // A copy: each write changes what is kept.
    for (const Unsaved& unsaved : std::vector<Unsaved>(m_unsaved)) {
        const HRESULT written = WriteKept(unsaved.row, unsaved.results);
        keepUnsaved(unsaved, written);
        if (FAILED(written))
            status = written;
    }
    m_pTable->m_session.WaitForLocks(TRUE);
    return status;
}

void MethodRows::ForgetUnsaved() { m_unsaved.clear(); }

void MethodRows::ForgetUnsaved(LONG id)
{
    std::erase_if(m_unsaved, [id](const Unsaved& kept) { return kept.row.aaaID == id; });
}

MethodRecord* MethodRows::FindRow(LONG& id, BOOL skipUnchecked)
{
    if (!m_pTable)
        return nullptr;
    if (readsOffline(m_bOffline ? S_OK : moveToFirstWithId(id)))
        return findOffline(id, [&](const MethodRecord& row) {
            return skipUnchecked ? row.RunState != RUNSTATE_UNCHECKED : row.aaaID == id;
        });
    for (; m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        if (m_pTable->aaaID != id)
            continue;
        if (!skipUnchecked || m_pTable->RunState != RUNSTATE_UNCHECKED)
            return m_pTable.get();
        ++id;
    }
    return nullptr;
}

MethodRecord* MethodRows::FindRowToContinue(LONG& id)
{
    if (!m_pTable)
        return nullptr;
    const auto notCompleted = [](const MethodRecord& row) {
        return row.RunState == RUNSTATE_CHECKED || row.RunState == RUNSTATE_RUNNING ||
               row.RunState == RUNSTATE_INTERRUPTED;
    };
    if (readsOffline(m_bOffline ? S_OK : moveToFirstWithId(id)))
        return findOffline(id, notCompleted);
    for (; m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        if (m_pTable->aaaID < id)
            continue;
        id = m_pTable->aaaID;
        if (notCompleted(*m_pTable))
            return m_pTable.get();
    }
    return nullptr;
}

std::vector<LONG> MethodRows::RowsInState(LONG state)
{
    std::vector<LONG> rows;
    if (!m_pTable)
        return rows;
    if (readsOffline(m_bOffline ? S_OK : m_pTable->MoveFirst()))
        return m_offline.RowsInState(state);
    for (; m_pTable->HasCurrentRow(); m_pTable->MoveNext())
        if (m_pTable->RunState == state)
            rows.push_back(m_pTable->aaaID);
    return rows;
}

MethodRecord* MethodRows::FindRowById(LONG id, BOOL refuseUnchecked)
{
    if (!m_pTable)
        return nullptr;
    if (readsOffline(m_bOffline ? S_OK : moveToFirstWithId(id))) {
        MethodRecord* row = findOffline(id, [id](const MethodRecord& kept) { return kept.aaaID == id; });
        return row && row->aaaID == id && !(refuseUnchecked && row->RunState == RUNSTATE_UNCHECKED) ? row : nullptr;
    }
    for (; m_pTable->HasCurrentRow(); m_pTable->MoveNext()) {
        if (m_pTable->aaaID == id)
            return refuseUnchecked && m_pTable->RunState == RUNSTATE_UNCHECKED ? nullptr : m_pTable.get();
    }
    return nullptr;
}

HRESULT MethodRows::moveToFirstWithId(LONG id)
{
    // A row holding id - 1: the rows come in "aaaID" order, so no earlier row holds id. When the
    // row after it holds id, or there is none, a walk from the first row would have stopped there
    // too; the run's look past its last row then reads three rows, not the whole group.
    const auto onRowBefore = [&] { return m_pTable->aaaID == id - 1; };
    const auto nextHoldsId = [&] {
        const HRESULT next = m_pTable->MoveNext();
        return next == DB_S_ENDOFROWSET || (next == S_OK && m_pTable->aaaID == id);
    };
    if (id <= 0)
        return m_pTable->MoveFirst();
    // The run asks for the row the table is on and for the one after it: the look starts there,
    // taking the current row as it is, rather than at the first row.
    if (m_pTable->HasCurrentRow() &&
        (onRowBefore() || (m_pTable->aaaID == id && m_pTable->MoveNext(-2) == S_OK && onRowBefore())) && nextHoldsId())
        return S_OK;
    if (m_pTable->MoveFirst() == S_OK && (id == 1 || m_pTable->MoveNext(id - 2) == S_OK) && onRowBefore() && nextHoldsId())
        return S_OK;
    return m_pTable->MoveFirst();
}
