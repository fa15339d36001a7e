// Making result_tbl, adding a row's results to it and reading them from the instrument's file.
#include "RowResults.h"

#include "RecordText.h"
#include "WorklistSession.h"

#include "module/core/CsvLine.h"

#include "kernel/CrtFile.h"
#include "kernel/Text.h"
#include "oledb/CCommand.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <vector>

namespace {

constexpr const wchar_t* kTable = L"result_tbl";
constexpr const wchar_t* kFileName = L"RESULTS.CSV";

// The file's columns, in the order ReadFile takes them.
constexpr std::array<const wchar_t*, 10> kFileColumns = {
    L"Location", L"Sample", L"Kind", L"Expected", L"Injections", L"Height (mAU)", L"Area (mAU*s)", L"RSD (%)",
    L"Concentration", L"R2"};

// The group's lines in the order written.
HRESULT OpenGroup(CCommand<CAccessor<ResultRecord>>& table, const CSession& session, const std::wstring& group,
                  const CDBPropSet* rowset = nullptr)
{
    std::wstring quoted;
    for (const wchar_t c : group)
        quoted += c == L'\'' ? std::wstring(L"''") : std::wstring(1, c);
    const std::wstring command =
        L"SELECT * FROM " + std::wstring(kTable) + L" WHERE GroupName = '" + quoted + L"' ORDER BY rowid";
    return table.Open(session, command.c_str(), rowset);
}

LONG wholeNumber(const std::wstring& text) { return static_cast<LONG>(std::wcstol(text.c_str(), nullptr, 10)); }

} // namespace

HRESULT RowResults::MakeTable(const CSession& session)
{
    const ResultRecord record{};
    const DBCOLUMNDESC columns[] = {
        TableColumn(L"GroupName", DBTYPE_WSTR, FieldWidth(record.GroupName)),
        TableColumn(L"aaaID", DBTYPE_I4),
        TableColumn(L"DataFile", DBTYPE_WSTR, FieldWidth(record.DataFile)),
        TableColumn(L"EndTime", DBTYPE_I4),
        TableColumn(L"Location", DBTYPE_I4),
        TableColumn(L"Sample", DBTYPE_WSTR, FieldWidth(record.Sample)),
        TableColumn(L"Kind", DBTYPE_WSTR, FieldWidth(record.Kind)),
        TableColumn(L"Expected", DBTYPE_WSTR, FieldWidth(record.Expected)),
        TableColumn(L"Injections", DBTYPE_I4),
        TableColumn(L"Height", DBTYPE_WSTR, FieldWidth(record.Height)),
        TableColumn(L"Area", DBTYPE_WSTR, FieldWidth(record.Area)),
        TableColumn(L"RSD", DBTYPE_WSTR, FieldWidth(record.RSD)),
        TableColumn(L"Concentration", DBTYPE_WSTR, FieldWidth(record.Concentration)),
        TableColumn(L"R2", DBTYPE_WSTR, FieldWidth(record.R2)),
        TableColumn(L"QC", DBTYPE_WSTR, FieldWidth(record.QC)),
    };
    // A table of a version before QC gains its column.
    const AddedColumn added[] = {{L"QC", DBTYPE_WSTR, FieldWidth(record.QC)}};
    return MakeMissingTable(session, kTable, columns, added);
}

HRESULT RowResults::Add(const CSession& session, const std::wstring& group, const MethodRecord& row,
                        const std::vector<ResultRecord>& results)
{
    if (results.empty())
        return S_OK;
    HRESULT status = MakeTable(session);
    CCommand<CAccessor<ResultRecord>> table;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    if (SUCCEEDED(status))
        status = table.Open(session, (L"SELECT * FROM " + std::wstring(kTable) + L" WHERE 0 = 1").c_str(), &rowset);
    for (auto result = results.begin(); result != results.end() && SUCCEEDED(status); ++result) {
        static_cast<ResultRecord&>(table) = *result;
        SetRecordText(table.GroupName, group);
        table.aaaID = row.aaaID;
        SetRecordText(table.DataFile, row.DataFile);
        table.EndTime = row.EndTime;
        status = table.Insert();
    }
    const bool checkFailed = std::ranges::any_of(results, [](const ResultRecord& result) {
        return EqualsNoCase(result.Kind, L"check") && EqualsNoCase(result.QC, kFailed);
    });
    return SUCCEEDED(status) && checkFailed ? FlagSuspects(session, group, results.size()) : status;
}

HRESULT RowResults::ReadGroup(const CSession& session, const std::wstring& group, std::vector<ResultRecord>& results)
{
    results.clear();
    CCommand<CAccessor<ResultRecord>> table;
    HRESULT status = OpenGroup(table, session, group);
    if (status == DB_E_NOTABLE)
        return S_OK;
    for (HRESULT moved = SUCCEEDED(status) ? table.MoveFirst() : S_FALSE; moved == S_OK; moved = table.MoveNext())
        results.push_back(table);
    return status;
}

std::vector<std::size_t> RowResults::OfRow(const std::vector<ResultRecord>& groupResults, const MethodRecord& row)
{
    std::vector<std::size_t> lines;
    if (row.RunState != RUNSTATE_DONE && row.RunState != RUNSTATE_FAILED)
        return lines;
    for (std::size_t n = 0; n < groupResults.size(); ++n)
        if (groupResults[n].EndTime == row.EndTime && std::wcscmp(groupResults[n].DataFile, row.DataFile) == 0)
            lines.push_back(n);
    return lines;
}

std::wstring RowResults::Flag(const std::vector<ResultRecord>& rowResults)
{
    const auto flagged = [&](const wchar_t* qc) {
        return std::ranges::any_of(rowResults, [qc](const ResultRecord& result) { return EqualsNoCase(result.QC, qc); });
    };
    return flagged(kFailed) ? kFailed : flagged(kSuspect) ? kSuspect : L"";
}

HRESULT RowResults::FlagSuspects(const CSession& session, const std::wstring& group, std::size_t count)
{
    CCommand<CAccessor<ResultRecord>> table;
    const CDBPropSet rowset = ChangeableRowsetProperties();
    HRESULT status = OpenGroup(table, session, group, &rowset);
    // Where each line stands: after a passing check or a standard, what follows was measured well.
    std::vector<bool> bounds;
    for (HRESULT moved = SUCCEEDED(status) ? table.MoveFirst() : S_FALSE; moved == S_OK; moved = table.MoveNext())
        bounds.push_back((EqualsNoCase(table.Kind, L"check") && table.QC[0] == L'\0') ||
                         EqualsNoCase(table.Kind, L"standard"));
    // The lines measured since the last such line before the new ones, the new ones included.
    std::size_t since = 0;
    for (std::size_t n = 0; n + std::min(count, bounds.size()) < bounds.size(); ++n)
        if (bounds[n])
            since = n + 1;
    std::size_t line = 0;
    for (HRESULT moved = SUCCEEDED(status) ? table.MoveFirst() : S_FALSE; moved == S_OK && SUCCEEDED(status);
         moved = table.MoveNext()) {
        if (++line <= since || table.QC[0] != L'\0')
            continue;
        SetRecordText(table.QC, kSuspect);
        status = table.SetData();
    }
    return status;
}

std::vector<ResultRecord> RowResults::ReadFile(const std::wstring& dataFolder)
{
    std::string bytes;
    const auto file = CrtFile::open(dataFolder + L"\\" + kFileName, L"r");
    if (!file || !file->readBytes(bytes))
        return {};
    const CsvText text = SplitCsv(Utf8ToWide(bytes));
    if (text.records.empty())
        return {};
    // Each of the file's columns by its name, so that one added later is passed over.
    const std::vector<std::wstring>& header = text.records.front().fields;
    std::array<std::size_t, kFileColumns.size()> places{};
    for (std::size_t n = 0; n < kFileColumns.size(); ++n)
        places[n] = static_cast<std::size_t>(std::find(header.begin(), header.end(), kFileColumns[n]) - header.begin());
    std::vector<ResultRecord> results;
    for (auto record = text.records.begin() + 1; record != text.records.end(); ++record) {
        const auto field = [&](std::size_t n) {
            return places[n] < record->fields.size() ? record->fields[places[n]] : std::wstring();
        };
        ResultRecord& result = results.emplace_back();
        result.Location = wholeNumber(field(0));
        SetRecordText(result.Sample, field(1));
        SetRecordText(result.Kind, field(2));
        SetRecordText(result.Expected, field(3));
        result.Injections = wholeNumber(field(4));
        SetRecordText(result.Height, field(5));
        SetRecordText(result.Area, field(6));
        SetRecordText(result.RSD, field(7));
        SetRecordText(result.Concentration, field(8));
        SetRecordText(result.R2, field(9));
    }
    return results;
}
