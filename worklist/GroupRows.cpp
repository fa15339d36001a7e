// Group operations on group_tbl.
#include "GroupRows.h"

#include "AuditTrail.h"
#include "CMethodTable.h"
#include "DataFolderName.h"
#include "EditTransaction.h"
#include "KeptErrorRecords.h"
#include "QcRules.h"
#include "RecordText.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"

#include "kernel/Text.h"
#include "kernel/WinFormat.h"
#include "oledb/CTableDefinition.h"
#include "oledb/ErrorObject.h"

#include <algorithm>
#include <functional>

namespace {

// Blanks that are not the blank, and characters that show nothing or turn the writing direction:
// with them two names that look the same are two groups.
constexpr std::wstring_view noBreakSpaces = L"\u00A0\u2007\u202F";
constexpr std::wstring_view invisibleCharacters =
    L"\u061C\u200B\u200C\u200D\u200E\u200F\u202A\u202B\u202C\u202D\u202E\u2060\u2066\u2067\u2068\u2069\uFEFF";

std::wstring FailurePolicyText(LONG onFailure, const WCHAR* emergencyCommand)
{
    static constexpr const wchar_t* policies[] = {L"go on", L"pause", L"stop"};
    const wchar_t* policy = onFailure >= 0 && onFailure < 3 ? policies[onFailure] : L"?";
    return FormatWin(L"on failure %s, emergency command \"%s\"", policy, emergencyCommand);
}

// The options of group_tbl's current row, as the audit trail tells them.
std::wstring OptionsText(const GroupRecord& row)
{
    return FormatWin(L"shut-down \"%s\", recovery \"%s\", ", row.ShutDownOption, row.RecoveryCommand) +
           FailurePolicyText(row.OnFailure, row.EmergencyCommand);
}

// Every group of the queue ids takes its place in it, the first with its run open.
HRESULT PlaceInQueue(CGroupTable& table, const std::vector<LONG>& ids)
{
    const LONG queueId = ids.front();
    HRESULT status = S_OK;
    for (table.MoveFirst(); SUCCEEDED(status) && table.HasCurrentRow(); table.MoveNext()) {
        const auto place = std::find(ids.begin(), ids.end(), table.GroupID);
        const LONG position = place == ids.end() ? 0 : static_cast<LONG>(place - ids.begin()) + 1;
        // An earlier queue of the same first group loses the groups the new one leaves out.
        if (position == 0 && table.QueueID != queueId)
            continue;
        table.QueueID = position ? queueId : 0;
        table.QueuePos = position;
        if (position == 1)
            table.RunOpen = 1;
        status = table.SetData();
    }
    return status;
}

bool holdsAnyOf(const std::wstring& name, std::wstring_view characters)
{
    return name.find_first_of(characters.data(), 0, characters.size()) != std::wstring::npos;
}

} // namespace

std::vector<GroupEntry> GroupRows::List()
{
    std::vector<GroupEntry> groups;
    for (m_table.MoveFirst(); m_table.HasCurrentRow(); m_table.MoveNext())
        groups.push_back({m_table.GroupName, m_table.GroupID, m_table.RunOpen});
    return groups;
}

std::wstring GroupRows::RefusalOf(const std::wstring& name, const std::vector<GroupEntry>& listed)
{
    for (const GroupEntry& group : listed)
        if (EqualsNoCase(group.name, name))
            return ModuleString(IDS_GROUP_NAME_REPEATED);
    const bool valid = !name.empty() && name.size() < std::size(GroupRecord{}.GroupName) && name.front() != L' ' &&
                       !DataFolderName::HoldsForbiddenCharacter(name);
    if (!valid)
        return ModuleString(IDS_GROUP_NAME_INVALID);
    if (name.back() == L' ')
        return ModuleString(IDS_GROUP_NAME_TRAILING_BLANK);
    if (holdsAnyOf(name, noBreakSpaces))
        return ModuleString(IDS_GROUP_NAME_NO_BREAK_SPACE);
    if (holdsAnyOf(name, invisibleCharacters))
        return ModuleString(IDS_GROUP_NAME_INVISIBLE);
    return {};
}

HRESULT GroupRows::Add(const std::wstring& name, bool listIsEmpty, LONG* newId, void (*wait)(DWORD),
                       OrphanTable orphan)
{
    // The pause that the table once needed to settle comes first, so that the message loop it runs
    // never runs while the edit holds the file's write lock.
    wait(1000);
    HRESULT status;
    std::wstring refusal;
    {
        // The table and its row are one edit, and the last id is read under the edit's write lock:
        // a kill leaves neither, and two hosts adding at once never take the same id.
        EditTransaction transaction(m_table.m_session);
        status = transaction.Started();
        if (SUCCEEDED(status))
            status = m_table.Requery();
        // Another host may have added the name since the list was shown.
        if (SUCCEEDED(status) && !(refusal = RefusalOf(name, List())).empty())
            status = E_FAIL;
        CTableDefinition definition;
        if (SUCCEEDED(status))
            status = definition.Open(m_table.m_session);
        if (SUCCEEDED(status))
            status = MakeTable(definition, name, orphan);
        if (SUCCEEDED(status))
            status = InsertRow(name, listIsEmpty);
        if (SUCCEEDED(status))
            status =
                AuditTrail(m_table.m_session, m_table.Place()).Add(name, L"Group added", L"", OptionsText(m_table));
        if (SUCCEEDED(status))
            status = transaction.Commit();
    }
    if (FAILED(status)) {
        if (!refusal.empty())
            status = ReportError(E_FAIL, IID_IRowsetChange, refusal);
        // The rowset may hold the row that the abort took back.
        const KeptErrorRecords failure;
        m_table.Requery();
        return status;
    }
    *newId = m_table.GroupID;
    return status;
}

HRESULT GroupRows::MakeTable(CTableDefinition& definition, const std::wstring& name, OrphanTable orphan)
{
    // The worklist's own tables are never a group's: a name of theirs fails as the engine says.
    const bool ownTable =
        EqualsNoCase(name, L"group_tbl") || EqualsNoCase(name, L"user_tbl") || EqualsNoCase(name, L"audit_tbl") ||
        EqualsNoCase(name, L"result_tbl") || EqualsNoCase(name, L"qc_tbl");
    if (orphan == OrphanTable::Remove && !ownTable) {
        const HRESULT dropped = definition.DropTable({DBKIND_NAME, name});
        if (FAILED(dropped) && dropped != DB_E_NOTABLE)
            return dropped;
    }
    const HRESULT status = CMethodTable::CreateTable(definition, name);
    if (status != DB_E_DUPLICATETABLEID)
        return status;
    return ownTable ? E_FAIL : orphan == OrphanTable::TakeBack ? S_OK : status;
}

HRESULT GroupRows::InsertRow(const std::wstring& name, bool listIsEmpty)
{
    if (listIsEmpty)
        m_table.GroupID = 1;
    m_table.MoveLast();
    m_table.GroupID += 1;
    SetRecordText(m_table.GroupName, name);
    SetRecordText(m_table.ShutDownOption, ModuleString(IDS_NO_SHUTDOWN));
    SetRecordText(m_table.RecoveryCommand, L"");
    m_table.RunOpen = 0;
    m_table.StoppedRow = 0;
    m_table.OnFailure = ONFAILURE_GO_ON;
    SetRecordText(m_table.EmergencyCommand, L"");
    m_table.QueueID = 0;
    m_table.QueuePos = 0;
    return m_table.Insert();
}

bool GroupRows::DeleteRow(LONG id, const std::wstring& name)
{
    m_table.Requery();
    if (!FindById(id) || m_table.GroupName != name)
        return false;
    // The group's rules go with it: a group added later may take its id.
    const auto remove = [this, id] {
        const HRESULT removed = QcRules::Remove(m_table.m_session, id);
        return SUCCEEDED(removed) ? m_table.Delete() : removed;
    };
    return SUCCEEDED(AuditTrail::WriteWithRecords(m_table.m_session, m_table.Place(), remove, m_table.GroupName,
                                                  {{L"Group deleted", OptionsText(m_table), L""}}));
}

HRESULT GroupRows::writeWithRecord(HRESULT (CRowset::*write)(), const AuditEntry& entry, BOOL bAnchor,
                                   const std::function<HRESULT(const CSession&)>& alsoWrite)
{
    return AuditTrail::WriteWithRecords(
        m_table.m_session, m_table.Place(),
        [&] {
            const HRESULT written = (m_table.*write)();
            return SUCCEEDED(written) && alsoWrite ? alsoWrite(m_table.m_session) : written;
        },
        m_table.GroupName, {entry}, bAnchor);
}

void GroupRows::storeOption(const AuditEntry& change)
{
    if (change.oldValue == change.newValue)
        m_table.SetData();
    else
        writeWithRecord(&CRowset::SetData, change);
}

bool GroupRows::FindById(LONG id)
{
    for (m_table.MoveFirst(); m_table.HasCurrentRow(); m_table.MoveNext())
        if (m_table.GroupID == id)
            return true;
    return false;
}

void GroupRows::StoreShutDownOption(LONG id, const std::wstring& option)
{
    if (!FindById(id))
        return;
    const std::wstring before = m_table.ShutDownOption;
    SetRecordText(m_table.ShutDownOption, option);
    storeOption({L"Shut-down command changed", before, m_table.ShutDownOption});
}

void GroupRows::StoreRecoveryCommand(LONG id, const std::wstring& command)
{
    if (!FindById(id))
        return;
    const std::wstring before = m_table.RecoveryCommand;
    SetRecordText(m_table.RecoveryCommand, command);
    storeOption({L"Recovery command changed", before, m_table.RecoveryCommand});
}

void GroupRows::StoreFailurePolicy(LONG id, LONG onFailure, const std::wstring& emergencyCommand)
{
    if (!FindById(id))
        return;
    const std::wstring before = FailurePolicyText(m_table.OnFailure, m_table.EmergencyCommand);
    m_table.OnFailure = onFailure;
    SetRecordText(m_table.EmergencyCommand, emergencyCommand);
    storeOption({L"Failure policy changed", before, FailurePolicyText(onFailure, m_table.EmergencyCommand)});
}

HRESULT GroupRows::StoreRunEnd(LONG id, LONG runOpen, LONG stoppedRow, const AuditEntry& record,
                               const std::function<HRESULT(const CSession&)>& alsoWrite)
{
    if (const HRESULT found = Find(id); FAILED(found))
        return found;
    m_table.RunOpen = runOpen;
    m_table.StoppedRow = stoppedRow;
    // A run's end anchors the trail: the run's records are kept outside the worklist too.
    return writeWithRecord(&CRowset::SetData, record, !runOpen, alsoWrite);
}

HRESULT GroupRows::OpenRun(const CSession& session, AuditTrail& trail, LONG id, bool leaveQueue,
                           const AuditEntry& record)
{
    CGroupTable table(trail.Place());
    HRESULT status = table.OpenOn(session);
    if (FAILED(status))
        return status;
    if (!GroupRows(table).FindById(id))
        return DB_E_NOTABLE;
    table.RunOpen = 1;
    table.StoppedRow = 0;
    if (leaveQueue) {
        table.QueueID = 0;
        table.QueuePos = 0;
    }
    status = table.SetData();
    return SUCCEEDED(status) ? trail.Add(table.GroupName, {record}) : status;
}

HRESULT GroupRows::OpenCalibration(const CSession& session, AuditTrail& trail, const std::vector<LONG>& ids,
                                   const AuditEntry& record)
{
    CGroupTable table(trail.Place());
    GroupRows rows(table);
    HRESULT status = table.OpenOn(session);
    if (SUCCEEDED(status))
        status = PlaceInQueue(table, ids);
    if (SUCCEEDED(status))
        status = rows.FindById(ids.at(1)) ? S_OK : DB_E_NOTABLE;
    if (SUCCEEDED(status)) {
        table.RunOpen = RUNOPEN_CALIBRATING;
        status = table.SetData();
    }
    if (SUCCEEDED(status))
        status = rows.FindById(ids.front()) ? S_OK : DB_E_NOTABLE;
    if (SUCCEEDED(status)) {
        table.StoppedRow = 0;
        status = table.SetData();
    }
    return SUCCEEDED(status) ? trail.Add(table.GroupName, {record}) : status;
}

HRESULT GroupRows::EditAsOne(const std::function<HRESULT()>& change)
{
    HRESULT status;
    {
        EditTransaction transaction(m_table.m_session);
        status = transaction.Started();
        if (SUCCEEDED(status))
            status = m_table.Requery();
        if (SUCCEEDED(status))
            status = change();
        if (SUCCEEDED(status))
            status = transaction.Commit();
    }
    // The rowset may hold rows that the abort took back.
    if (FAILED(status))
        m_table.Requery();
    return status;
}

HRESULT GroupRows::StoreQueue(const std::vector<LONG>& ids)
{
    if (ids.empty())
        return E_INVALIDARG;
    return EditAsOne([&] { return PlaceInQueue(m_table, ids); });
}

std::vector<LONG> GroupRows::QueueAfter(LONG queueId, LONG position)
{
    std::vector<std::pair<LONG, LONG>> places;
    for (m_table.MoveFirst(); m_table.HasCurrentRow(); m_table.MoveNext())
        if (m_table.QueueID == queueId && m_table.QueuePos > position)
            places.emplace_back(m_table.QueuePos, m_table.GroupID);
    std::ranges::sort(places);
    std::vector<LONG> ids;
    for (const auto& [place, id] : places)
        ids.push_back(id);
    return ids;
}

HRESULT GroupRows::PassQueueRun(LONG fromId, LONG toId, const AuditEntry& fromEnd)
{
    return EditAsOne([&] {
        if (!FindById(fromId))
            return DB_E_NOTABLE;
        m_table.RunOpen = 0;
        m_table.StoppedRow = 0;
        m_table.QueueID = 0;
        m_table.QueuePos = 0;
        AuditTrail trail(m_table.m_session, m_table.Place());
        HRESULT status = trail.Opened();
        if (SUCCEEDED(status))
            status = m_table.SetData();
        if (SUCCEEDED(status))
            status = trail.Add(m_table.GroupName, {fromEnd});
        trail.AnchorAtCommit();
        if (SUCCEEDED(status) && !FindById(toId))
            status = DB_E_NOTABLE;
        if (FAILED(status))
            return status;
        m_table.RunOpen = 1;
        return m_table.SetData();
    });
}

HRESULT GroupRows::LeaveQueue(LONG id, const std::function<HRESULT(const CSession&)>& alsoWrite)
{
    return EditAsOne([&] {
        HRESULT status = Find(id);
        if (SUCCEEDED(status) && m_table.QueueID != 0) {
            m_table.QueueID = 0;
            m_table.QueuePos = 0;
            status = m_table.SetData();
        }
        return SUCCEEDED(status) && alsoWrite ? alsoWrite(m_table.m_session) : status;
    });
}

HRESULT GroupRows::Find(LONG id)
{
    if (FindById(id))
        return S_OK;
    // A table that cannot be read says why: a server that cannot be reached is not a missing group.
    const HRESULT read = m_table.MoveFirst();
    return FAILED(read) ? read : DB_E_NOTABLE;
}
