// Reading a group's rows and writing them as CSV or JSON.
#include "ResultsExport.h"

#include "CMethodTable.h"
#include "MethodRows.h"
#include "ReadTransaction.h"
#include "RowResults.h"

#include "module/core/CsvLine.h"

#include "kernel/JsonObject.h"
#include "kernel/Text.h"
#include "kernel/TimeApi.h"

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <iterator>

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

// "River inlet 1.2; Check standard 0.86 failed": each sample's concentration and QC, on one line.
std::wstring ResultsField(const ExportedRow& row)
{
    std::wstring text;
    for (const ResultRecord& result : row.results)
        text += (text.empty() ? L"" : L"; ") + std::wstring(result.Sample) + L" " + result.Concentration +
                (result.QC[0] ? L" " + std::wstring(result.QC) : L"");
    return text;
}

// The texts in the order of Columns().
std::vector<std::wstring> CsvFields(const ExportedRow& row)
{
    return {std::to_wstring(row.number), row.method,           row.dataFile,        row.comments,
            row.subFolder,               row.checked ? L"yes" : L"no", row.state, TimeField(row.start),
            TimeField(row.end),          DurationField(row),   row.message,         RowResults::Flag(row.results),
            ResultsField(row)};
}

// A figure as the instrument wrote it, a JSON number; null for none.
void AddFigure(JsonObject& object, std::wstring_view name, const WCHAR* text)
{
    wchar_t* end = nullptr;
    const double value = std::wcstod(text, &end);
    if (end == text || *end != L'\0' || !std::isfinite(value))
        object.addNull(name);
    else
        object.addDecimal(name, value);
}

JsonObject ResultObject(const ResultRecord& result)
{
    JsonObject object;
    object.addText(L"sample", result.Sample).addText(L"kind", result.Kind);
    AddFigure(object, L"expected", result.Expected);
    object.addNumber(L"injections", result.Injections);
    AddFigure(object, L"height", result.Height);
    AddFigure(object, L"area", result.Area);
    AddFigure(object, L"rsd", result.RSD);
    AddFigure(object, L"concentration", result.Concentration);
    AddFigure(object, L"r2", result.R2);
    return object.addText(L"qc", result.QC);
}

// The same fields as JSON: the row and the duration as numbers, checked as true or false, and a
// time or a duration the row does not have as null.
JsonObject RowObject(const ExportedRow& row)
{
    const std::vector<std::wstring>& names = ResultsExport::Columns();
    const std::vector<std::wstring> fields = CsvFields(row);
    std::vector<JsonObject> results;
    std::ranges::transform(row.results, std::back_inserter(results), ResultObject);
    JsonObject object;
    for (std::size_t n = 0; n < names.size(); ++n) {
        const bool bNumber = names[n] == L"row" || names[n] == L"duration";
        if (names[n] == L"checked")
            object.addBool(names[n], row.checked);
        else if (names[n] == L"results")
            object.addObjects(names[n], std::vector<JsonObject>(results.begin(), results.end()));
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
                                                      L"end",     L"duration", L"message", L"qc", L"results"};
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
    std::vector<ResultRecord> results;
    RowResults::ReadGroup(table.m_session, group, results);
    for (HRESULT moved = table.MoveFirst(); moved == S_OK; moved = table.MoveNext()) {
        ExportedRow& row = rows.emplace_back(table.aaaID + 1, table.MethodName, table.DataFile, table.Comments,
                                             table.SubFolder, table.RunState != RUNSTATE_UNCHECKED,
                                             MethodRows::RunStateName(table.RunState), table.StartTime, table.EndTime,
                                             WithoutTrailingLineBreaks(table.ErrMessage));
        for (std::size_t line : RowResults::OfRow(results, table))
            row.results.push_back(results[line]);
    }
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
