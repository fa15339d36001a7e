// The journal of the run's writes that wait for the lab server. Each line begins with the write's
// key, its time (seconds since 1970, UTC), its kind and its group:
//   KEY,TIME,row,GROUP,ROW,STATE,START,END,MESSAGE           a row's run state, as the row holds it
//   KEY,TIME,result,GROUP,ROW,LOCATION,SAMPLE,...,R2          one sample's results of that row's end
//   KEY,TIME,record,GROUP,EVENT,OLD,NEW                       an audit record of the run
//   KEY,TIME,run end,GROUP,GROUPID,RUNOPEN,STOPPEDROW,EVENT,OLD,NEW   the group's run opened or closed
//   KEY,TIME,leave queue,GROUP,GROUPID                       the group left its queue at the queue's end
// The lines of one write share its key, made of the journal's own random name and a count.
#include "RunJournal.h"

#include "CGroupTable.h"
#include "GroupRows.h"
#include "MethodRows.h"
#include "RecordText.h"
#include "WorklistSession.h"

#include "module/core/CsvLine.h"

#include "kernel/CrtFile.h"
#include "kernel/Text.h"
#include "kernel/WinFormat.h"
#include "oledb/CCommand.h"

#include <cerrno>
#include <cwchar>
#include <random>

namespace {

constexpr const wchar_t* kMarks = L"journal_tbl";
constexpr std::size_t kKey = 0, kTime = 1, kKind = 2, kGroup = 3, kFirstField = 4;

// The server's mark that the write with this key has landed.
struct JournalMark {
    WCHAR EntryKey[64];

    BEGIN_COLUMN_MAP(JournalMark)
        COLUMN_NAME(L"EntryKey", EntryKey)
    END_COLUMN_MAP()
};

using Marks = CCommand<CAccessor<JournalMark>>;

LONG Number(const std::wstring& text) { return static_cast<LONG>(std::wcstol(text.c_str(), nullptr, 10)); }

std::wstring Text(LONG number) { return std::to_wstring(number); }

HRESULT MakeMarks(const CSession& session)
{
    const JournalMark mark{};
    const DBCOLUMNDESC columns[] = {TableColumn(L"EntryKey", DBTYPE_WSTR, FieldWidth(mark.EntryKey))};
    return MakeMissingTable(session, kMarks, columns);
}

bool Marked(const CSession& session, const std::wstring& key)
{
    Marks marks;
    return SUCCEEDED(marks.Open(session, (L"SELECT * FROM " + std::wstring(kMarks) + L" WHERE EntryKey = '" + key + L"'").c_str())) &&
           marks.MoveFirst() == S_OK;
}

HRESULT Mark(const CSession& session, const std::wstring& key)
{
    Marks marks;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    HRESULT status = marks.Open(session, (L"SELECT * FROM " + std::wstring(kMarks) + L" WHERE 0 = 1").c_str(), &rowset);
    SetRecordText(marks.EntryKey, key);
    return SUCCEEDED(status) ? marks.Insert() : status;
}

// Takes away the marks of the writes of journal (its name), which no file holds any more.
void Unmark(const CSession& session, const std::wstring& journal)
{
    Marks marks;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    const std::wstring select = L"SELECT * FROM " + std::wstring(kMarks) + L" WHERE EntryKey LIKE '" + journal + L"-%'";
    if (FAILED(marks.Open(session, select.c_str(), &rowset)))
        return;
    // After a delete there is no current row, and the next move reads the row that followed.
    for (HRESULT moved = marks.MoveFirst(); moved == S_OK && SUCCEEDED(marks.Delete()); moved = marks.MoveNext()) {
    }
}

// A name of 16 hexadecimal digits that no other journal has, so that no key is used twice.
std::wstring NewJournalName()
{
    std::random_device random;
    return FormatWin(L"%08x%08x", random(), random());
}

} // namespace

std::vector<std::vector<std::wstring>>& RunJournal::lines()
{
    if (!m_lines) {
        m_lines.emplace();
        std::string bytes;
        if (const auto file = CrtFile::open(kPath, L"r"); file && file->readBytes(bytes))
            for (CsvRecord& record : SplitCsv(Utf8ToWide(bytes)).records)
                if (record.fields.size() > kFirstField)
                    m_lines->push_back(std::move(record.fields));
    }
    return *m_lines;
}

std::optional<RunJournal::Waiting> RunJournal::Waits()
{
    const auto& all = lines();
    if (all.empty())
        return std::nullopt;
    Waiting waiting{std::wcstoll(all.front()[kTime].c_str(), nullptr, 10), 0};
    for (const auto& line : all)
        if (line[kKind] == L"row") {
            const LONG state = Number(line[kFirstField + 1]);
            waiting.rowEnds += state == RUNSTATE_DONE || state == RUNSTATE_FAILED;
        }
    return waiting;
}

int RunJournal::keep(std::vector<std::vector<std::wstring>> write)
{
    auto& all = lines();
    const std::wstring journal = all.empty() ? NewJournalName() : all.front()[kKey].substr(0, 16);
    const std::wstring key = journal + L"-" + std::to_wstring(all.size() + 1);
    const std::wstring time = std::to_wstring(_time64(nullptr));
    std::wstring text;
    for (auto& line : write) {
        line.insert(line.begin(), {key, time});
        text += CsvLine(line);
    }
    const auto file = CrtFile::open(kPath, L"a");
    if (!file)
        return errno;
    if (!file->writeBytes(WideToUtf8(text)) || !file->commit())
        return errno ? errno : EIO;
    std::ranges::move(write, std::back_inserter(all));
    return 0;
}

int RunJournal::KeepRow(const std::wstring& group, const MethodRecord& row, const std::vector<ResultRecord>& results)
{
    std::vector<std::vector<std::wstring>> write{{L"row", group, Text(row.aaaID), Text(row.RunState),
                                                  Text(row.StartTime), Text(row.EndTime), row.ErrMessage}};
    for (const ResultRecord& result : results)
        write.push_back({L"result", group, Text(row.aaaID), Text(result.Location), result.Sample, result.Kind,
                         result.Expected, Text(result.Injections), result.Height, result.Area, result.RSD,
                         result.Concentration, result.R2});
    return keep(std::move(write));
}

int RunJournal::KeepRecord(const std::wstring& group, const AuditEntry& entry)
{
    return keep({{L"record", group, entry.event, entry.oldValue, entry.newValue}});
}

int RunJournal::KeepRunEnd(const std::wstring& group, LONG groupId, LONG runOpen, LONG stoppedRow,
                           const AuditEntry& record)
{
    return keep({{L"run end", group, Text(groupId), Text(runOpen), Text(stoppedRow), record.event, record.oldValue,
                  record.newValue}});
}

int RunJournal::KeepLeaveQueue(const std::wstring& group, LONG groupId)
{
    return keep({{L"leave queue", group, Text(groupId)}});
}

HRESULT RunJournal::Forward()
{
    auto& all = lines();
    if (all.empty())
        return S_OK;
    CSession session;
    HRESULT status = OpenWorklistSession(session, m_place, WorklistDataSourceProperties(m_place));
    if (SUCCEEDED(status))
        status = MakeMarks(session);
    for (std::size_t first = 0; first < all.size() && SUCCEEDED(status);) {
        std::size_t end = first + 1;
        while (end < all.size() && all[end][kKey] == all[first][kKey])
            ++end;
        status = apply(session, first, end);
        first = end;
    }
    if (FAILED(status))
        return status;
    // Emptied only now: a host that dies before finds every write marked, and writes none again.
    const std::wstring journal = all.front()[kKey].substr(0, 16);
    if (const auto file = CrtFile::open(kPath, L"w"))
        file->commit();
    all.clear();
    // Then the marks go: no file holds their writes any more. A host that dies between the two
    // leaves its journal's marks behind, never a write to be written twice.
    Unmark(session, journal);
    return S_OK;
}

int RunJournal::SetAside()
{
    std::string bytes;
    const auto journal = CrtFile::open(kPath, L"r");
    if (!journal || !journal->readBytes(bytes))
        return errno;
    const auto aside = CrtFile::open(kSetAsidePath, L"a");
    if (!aside || !aside->writeBytes(bytes) || !aside->commit())
        return errno ? errno : EIO;
    if (const auto emptied = CrtFile::open(kPath, L"w"))
        emptied->commit();
    lines().clear();
    return 0;
}

HRESULT RunJournal::apply(const CSession& session, std::size_t first, std::size_t end)
{
    const std::vector<std::wstring>& line = (*m_lines)[first];
    const std::wstring& key = line[kKey];
    if (Marked(session, key))
        return S_OK;
    const auto mark = [&key](const CSession& on) { return Mark(on, key); };
    const auto field = [&line](std::size_t n) { return n < line.size() ? line[n] : std::wstring(); };
    const std::wstring& kind = line[kKind];
    const std::wstring& group = line[kGroup];
    // A row's line that a host dying while it wrote cut short was never kept.
    if (kind == L"row" && line.size() >= kFirstField + 5) {
        MethodRows rows(m_place);
        const HRESULT loaded = rows.LoadGroup(group);
        // A group deleted meanwhile has no row left to write into.
        if (loaded == DB_E_NOTABLE)
            return S_OK;
        if (FAILED(loaded))
            return loaded;
        MethodRecord kept{};
        kept.aaaID = Number(field(kFirstField));
        kept.RunState = Number(field(kFirstField + 1));
        kept.StartTime = Number(field(kFirstField + 2));
        kept.EndTime = Number(field(kFirstField + 3));
        SetRecordText(kept.ErrMessage, field(kFirstField + 4));
        std::vector<ResultRecord> results;
        for (std::size_t n = first + 1; n < end; ++n) {
            const std::vector<std::wstring>& sample = (*m_lines)[n];
            if (sample.size() < kFirstField + 11)
                continue;
            ResultRecord& result = results.emplace_back(ResultRecord{});
            result.Location = Number(sample[kFirstField + 1]);
            SetRecordText(result.Sample, sample[kFirstField + 2]);
            SetRecordText(result.Kind, sample[kFirstField + 3]);
            SetRecordText(result.Expected, sample[kFirstField + 4]);
            result.Injections = Number(sample[kFirstField + 5]);
            SetRecordText(result.Height, sample[kFirstField + 6]);
            SetRecordText(result.Area, sample[kFirstField + 7]);
            SetRecordText(result.RSD, sample[kFirstField + 8]);
            SetRecordText(result.Concentration, sample[kFirstField + 9]);
            SetRecordText(result.R2, sample[kFirstField + 10]);
        }
        return rows.WriteKept(kept, results, mark);
    }
    if (kind != L"record" && kind != L"run end" && kind != L"leave queue")
        return S_OK;
    const AuditEntry record = kind == L"record" ? AuditEntry{field(kFirstField), field(kFirstField + 1), field(kFirstField + 2)}
                                                : AuditEntry{field(kFirstField + 3), field(kFirstField + 4), field(kFirstField + 5)};
    if (kind == L"record")
        return AuditTrail::WriteWithRecords(session, m_place, [&] { return mark(session); }, group, {record}, TRUE);
    CGroupTable groups(m_place);
    const HRESULT opened = groups.Open();
    if (FAILED(opened))
        return opened;
    const HRESULT stored =
        kind == L"leave queue"
            ? GroupRows(groups).LeaveQueue(Number(field(kFirstField)), mark)
            : GroupRows(groups).StoreRunEnd(Number(field(kFirstField)), Number(field(kFirstField + 1)),
                                            Number(field(kFirstField + 2)), record, mark);
    return stored == DB_E_NOTABLE ? S_OK : stored;
}
