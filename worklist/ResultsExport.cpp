// Reading a group's rows and writing them as CSV or JSON.
#include "ResultsExport.h"

#include "CMethodTable.h"
#include "MethodRows.h"
#include "ReadTransaction.h"

#include "module/core/CsvLine.h"

#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"

#include <chrono>

namespace {

bool EndsWithNoCase(const std::wstring& text, std::wstring_view end)
{
    return text.size() >= end.size() && EqualsNoCase(std::wstring_view(text).substr(text.size() - end.size()), end);
}

// A failed row's message ends with the line break of its last host message; a reader wants none.
std::wstring WithoutTrailingLineBreaks(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n'))
        text.pop_back();
    return text;
}

std::wstring TimeField(LONG seconds) { return seconds ? ResultsExport::LocalIsoTime(seconds) : L""; }

// Seconds from start to end; empty unless the row has both and ended after it started.
std::wstring DurationField(const ExportedRow& row)
{
    return row.start && row.end >= row.start ? std::to_wstring(row.end - row.start) : L"";
}

// The texts in the order of Columns().
std::vector<std::wstring> CsvFields(const ExportedRow& row)
{
    return {std::to_wstring(row.number), row.method,           row.dataFile,        row.comments,
            row.subFolder,               row.checked ? L"yes" : L"no", row.state, TimeField(row.start),
            TimeField(row.end),          DurationField(row),   row.message};
}

std::wstring JsonString(std::wstring_view text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\')
            quoted += std::wstring{L'\\', c};
        else if (c == L'\n')
            quoted += L"\\n";
        else if (c == L'\r')
            quoted += L"\\r";
        else if (c == L'\t')
            quoted += L"\\t";
        else if (c < 0x20)
            quoted += FormatWin(L"\\u%04x", static_cast<int>(c));
        else
            quoted += c;
    }
    return quoted + L"\"";
}

std::wstring JsonOrNull(const std::wstring& field, bool asString)
{
    if (field.empty())
        return L"null";
    return asString ? JsonString(field) : field;
}

std::wstring JsonObject(const ExportedRow& row)
{
    const std::vector<std::wstring>& names = ResultsExport::Columns();
    const std::vector<std::wstring> fields = CsvFields(row);
    std::wstring object = L"{";
    for (std::size_t n = 0; n < names.size(); ++n) {
        std::wstring value;
        if (names[n] == L"row" || names[n] == L"duration")
            value = JsonOrNull(fields[n], false);
        else if (names[n] == L"checked")
            value = row.checked ? L"true" : L"false";
        else if (names[n] == L"start" || names[n] == L"end")
            value = JsonOrNull(fields[n], true);
        else
            value = JsonString(fields[n]);
        object += (n ? L", " : L"") + JsonString(names[n]) + L": " + value;
    }
    return object + L"}";
}

std::wstring JsonText(const std::wstring& group, const std::vector<ExportedRow>& rows)
{
    std::wstring text = L"{\"group\": " + JsonString(group) + L", \"rows\": [";
    for (const ExportedRow& row : rows)
        text += (&row == &rows.front() ? L"\n  " : L",\n  ") + JsonObject(row);
    return text + L"\n]}\n";
}

} // namespace

const std::vector<std::wstring>& ResultsExport::Columns()
{
    static const std::vector<std::wstring> columns = {L"row",     L"method", L"data file", L"comments",
                                                      L"sub-folder", L"checked", L"state", L"start",
                                                      L"end",     L"duration", L"message"};
    return columns;
}

HRESULT ResultsExport::ReadRows(const std::wstring& group, std::vector<ExportedRow>& rows)
{
    rows.clear();
    // A table of its own: the shown list's cursor belongs to the run.
    CMethodTable table;
    const HRESULT status = table.Open(group);
    if (FAILED(status))
        return status;
    const ReadTransaction reading(table.m_session);
    for (HRESULT moved = table.MoveFirst(); moved == S_OK; moved = table.MoveNext())
        rows.push_back({table.aaaID + 1, table.MethodName, table.DataFile, table.Comments, table.SubFolder,
                        table.RunState != RUNSTATE_UNCHECKED, MethodRows::RunStateName(table.RunState), table.StartTime,
                        table.EndTime, WithoutTrailingLineBreaks(table.ErrMessage)});
    return S_OK;
}

int ResultsExport::WriteFile(const std::wstring& file, const std::wstring& group, const std::vector<ExportedRow>& rows)
{
    if (!EndsWithNoCase(file, L".json")) {
        std::vector<std::vector<std::wstring>> records;
        records.reserve(rows.size());
        for (const ExportedRow& row : rows)
            records.push_back(CsvFields(row));
        std::wstring header = CsvLine(Columns());
        header.resize(header.size() - 2); // without its line end
        return WriteCsvFile(file, header, records);
    }
    return WriteWholeFile(file, WideToUtf8(JsonText(group, rows)));
}

std::wstring ResultsExport::LocalIsoTime(LONG seconds)
{
    const __time64_t time = seconds;
    std::tm local{};
    _localtime64_s(&local, &time);
    // The offset is how far the local clock reads ahead of UTC at that moment.
    using namespace std::chrono;
    const sys_days day = year(local.tm_year + 1900) / (local.tm_mon + 1) / local.tm_mday;
    const long long localSeconds =
        day.time_since_epoch().count() * 86400LL + local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
    const long long offsetMinutes = (localSeconds - time) / 60;
    const long long magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    return FormatWin(L"%04d-%02d-%02dT%02d:%02d:%02d%s%02d:%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                     local.tm_hour, local.tm_min, local.tm_sec, offsetMinutes < 0 ? L"-" : L"+",
                     static_cast<int>(magnitude / 60), static_cast<int>(magnitude % 60));
}
