// Reading a group's rows and writing them as CSV or JSON.
#include "ResultsExport.h"

#include "CMethodTable.h"
#include "MethodRows.h"
#include "ReadTransaction.h"

#include "module/core/CsvLine.h"

#include "kernel/JsonObject.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"


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

// The same fields as JSON: the row and the duration as numbers, checked as true or false, and a
// time or a duration the row does not have as null.
JsonObject RowObject(const ExportedRow& row)
{
    const std::vector<std::wstring>& names = ResultsExport::Columns();
    const std::vector<std::wstring> fields = CsvFields(row);
    JsonObject object;
    for (std::size_t n = 0; n < names.size(); ++n) {
        const bool bNumber = names[n] == L"row" || names[n] == L"duration";
        if (names[n] == L"checked")
            object.addBool(names[n], row.checked);
        else if (fields[n].empty() && (bNumber || names[n] == L"start" || names[n] == L"end"))
            object.addNull(names[n]);
        else if (bNumber)
            object.addNumber(names[n], std::stoll(fields[n]));
        else
            object.addText(names[n], fields[n]);
    }
    return object;
}

} // namespace

const std::vector<std::wstring>& ResultsExport::Columns()
{
    static const std::vector<std::wstring> columns = {L"row",     L"method", L"data file", L"comments",
                                                      L"sub-folder", L"checked", L"state", L"start",
                                                      L"end",     L"duration", L"message"};
    return columns;
}

HRESULT ResultsExport::ReadRows(const WorklistPlace& place, const std::wstring& group, std::vector<ExportedRow>& rows)
{
    rows.clear();
    // A table of its own: the shown list's cursor belongs to the run.
    CMethodTable table(place);
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
    std::vector<JsonObject> objects;
    objects.reserve(rows.size());
    for (const ExportedRow& row : rows)
        objects.push_back(RowObject(row));
    return WriteWholeFile(file, JsonObject().addText(L"group", group).addLines(L"rows", objects).Text() + "\n");
}

std::wstring ResultsExport::LocalIsoTime(LONG seconds)
{
    std::wstring text = FormatTime(seconds, L"%Y-%m-%dT%H:%M:%S%z");
    // The runtime writes the offset from UTC as "+0100", the extended form has "+01:00".
    if (text.size() > 2)
        text.insert(text.size() - 2, L":");
    return text;
}
