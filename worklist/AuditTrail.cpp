// Appending to the audit trail and reading it back.
#include "AuditTrail.h"

#include "AuditHead.h"
#include "EditTransaction.h"
#include "RecordText.h"
#include "WorklistSession.h"

#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"

#include <optional>

namespace {

// The fields the hash covers besides the sequence number, in the table's order.
std::vector<std::wstring> HashedFields(const AuditRecord& record)
{
    return {std::to_wstring(record.UtcTime), record.LocalTime, record.UserName, record.Instrument,
            record.GroupName, record.Event, record.OldValue, record.NewValue};
}

// A trail's anchor every this many records, besides those asked for.
constexpr LONG kAnchorEvery = 100;

} // namespace

AuditTrail::AuditTrail(const CSession& session, const WorklistPlace& place)
    : m_session(session), m_place(place), m_opened(MakeTable(session))
{
    const CDBPropSet rowset = ChangeableRowsetProperties();
    // The last record written: the engine reads one row from the end of its row ids, and a server
    // plans that in a fraction of the time it takes to plan a lookup of the largest row id.
    if (SUCCEEDED(m_opened))
        m_opened = m_table.Open(session, L"SELECT * FROM audit_tbl ORDER BY rowid DESC LIMIT 1", &rowset);
    if (SUCCEEDED(m_opened) && m_table.MoveFirst() == S_OK) {
        m_lastSequence = m_table.Sequence;
        m_lastHash = m_table.Hash;
    }
}

HRESULT AuditTrail::MakeTable(const CSession& session)
{
    const AuditRecord record{};
    const DBCOLUMNDESC columns[] = {
        TableColumn(L"Sequence", DBTYPE_I4),
        TableColumn(L"UtcTime", DBTYPE_I4),
        TableColumn(L"LocalTime", DBTYPE_WSTR, FieldWidth(record.LocalTime)),
        TableColumn(L"UserName", DBTYPE_WSTR, FieldWidth(record.UserName)),
        TableColumn(L"Instrument", DBTYPE_WSTR, FieldWidth(record.Instrument)),
        TableColumn(L"GroupName", DBTYPE_WSTR, FieldWidth(record.GroupName)),
        TableColumn(L"Event", DBTYPE_WSTR, FieldWidth(record.Event)),
        TableColumn(L"OldValue", DBTYPE_WSTR, FieldWidth(record.OldValue)),
        TableColumn(L"NewValue", DBTYPE_WSTR, FieldWidth(record.NewValue)),
        TableColumn(L"Hash", DBTYPE_WSTR, FieldWidth(record.Hash)),
    };
    return MakeMissingTable(session, L"audit_tbl", columns);
}

HRESULT AuditTrail::Add(const std::wstring& group, const std::wstring& event, const std::wstring& oldValue,
                        const std::wstring& newValue)
{
    if (FAILED(m_opened))
        return m_opened;
    const __time64_t now = _time64(nullptr);
    m_table.ClearRecord();
    m_table.Sequence = m_lastSequence + 1;
    m_table.UtcTime = static_cast<LONG>(now);
    SetRecordText(m_table.LocalTime, LocalTimeText(now));
    SetRecordText(m_table.UserName, m_place.strUserName);
    SetRecordText(m_table.Instrument, m_place.strInstName);
    SetRecordText(m_table.GroupName, group);
    SetRecordText(m_table.Event, event);
    SetRecordText(m_table.OldValue, oldValue);
    SetRecordText(m_table.NewValue, newValue);
    SetRecordText(m_table.Hash, AuditChain::Hash(m_table.Sequence, HashedFields(m_table), m_lastHash));
    const HRESULT status = m_table.Insert();
    if (SUCCEEDED(status)) {
        const bool bPassedHundredth = m_table.Sequence / kAnchorEvery > m_lastSequence / kAnchorEvery;
        m_lastSequence = m_table.Sequence;
        m_lastHash = m_table.Hash;
        MarkForAnchor(bPassedHundredth);
    }
    return status;
}

void AuditTrail::AnchorAtCommit()
{
    if (m_lastSequence > 0)
        MarkForAnchor(true);
}

void AuditTrail::MarkForAnchor(bool bDue) const
{
    AuditHead::MarkPending(m_session, m_place, m_lastSequence, m_lastHash, bDue);
}

HRESULT AuditTrail::Add(const std::wstring& group, const std::vector<AuditEntry>& entries)
{
    HRESULT status = S_OK;
    for (auto entry = entries.begin(); entry != entries.end() && SUCCEEDED(status); ++entry)
        status = Add(group, entry->event, entry->oldValue, entry->newValue);
    return status;
}

HRESULT AuditTrail::WriteWithRecords(const CSession& session, const WorklistPlace& place,
                                     const std::function<HRESULT()>& write, const std::wstring& group,
                                     const std::vector<AuditEntry>& entries, BOOL bAnchor)
{
    EditTransaction transaction(session);
    HRESULT status = transaction.Started();
    if (FAILED(status))
        return status;
    AuditTrail trail(session, place);
    status = trail.Opened();
    if (SUCCEEDED(status))
        status = write();
    if (SUCCEEDED(status))
        status = trail.Add(group, entries);
    if (bAnchor)
        trail.AnchorAtCommit();
    return SUCCEEDED(status) ? transaction.Commit() : status;
}

HRESULT AuditTrail::Record(const WorklistPlace& place, const std::wstring& group, const AuditEntry& entry)
{
    CSession session;
    HRESULT status = OpenWorklistSession(session, place, WorklistDataSourceProperties(place));
    if (SUCCEEDED(status))
        status = WriteWithRecords(session, place, [] { return S_OK; }, group, {entry}, TRUE);
    return status;
}

HRESULT AuditTrail::ReadAll(const WorklistPlace& place, std::vector<AuditRecord>& records)
{
    records.clear();
    CSession session;
    HRESULT status = OpenWorklistSession(session, place, WorklistDataSourceProperties(place));
    Table table;
    if (SUCCEEDED(status))
        status = table.Open(session, L"SELECT * FROM audit_tbl ORDER BY Sequence, rowid");
    // A worklist that nothing has changed yet has no trail; reading makes none, so that a
    // read-only worklist can be read.
    if (status == DB_E_NOTABLE)
        return S_OK;
    for (HRESULT moved = SUCCEEDED(status) ? table.MoveFirst() : S_FALSE; moved == S_OK; moved = table.MoveNext())
        records.push_back(table);
    return status;
}

std::wstring AuditTrail::LocalTimeText(__time64_t time) { return FormatTime(time, kAuditTimeFormat); }

std::wstring AuditTrail::UtcTimeText(LONG utcTime) { return FormatTime(utcTime, kAuditTimeFormat, true); }

AuditChainCheck AuditTrail::Verify(const WorklistPlace& place, const std::vector<AuditRecord>& records)
{
    std::vector<AuditLink> links;
    links.reserve(records.size());
    for (const AuditRecord& record : records)
        links.push_back({record.Sequence, HashedFields(record), record.Hash});
    const std::optional<AuditAnchor> head = AuditHead::Read(place);
    return AuditChain::Check(links, head ? std::span(&*head, 1) : std::span<const AuditAnchor>());
}

std::wstring AuditTrail::RowNumbers(const std::vector<LONG>& ids)
{
    std::wstring text;
    for (std::size_t first = 0; first < ids.size();) {
        std::size_t last = first;
        while (last + 1 < ids.size() && ids[last + 1] == ids[last] + 1)
            ++last;
        text += (text.empty() ? L"" : L", ") + std::to_wstring(ids[first] + 1);
        if (last > first)
            text += L"-" + std::to_wstring(ids[last] + 1);
        first = last + 1;
    }
    return text;
}
