// Reading a CSV worklist: its header, then each line checked against the header, the method
// directory and what a row's fields hold.
#include "WorklistImport.h"

#include "DataFolderName.h"
#include "DataFolderUsers.h"
#include "MethodRecord.h"
#include "RecordText.h"
#include "ResultsExport.h"

#include "module/core/CsvLine.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"

#include "kernel/FileApi.h"
#include "kernel/Text.h"
#include "kernel/WinFormat.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <map>
#include <optional>

namespace {

// The columns a row is made of, the first one required.
enum Column { kMethod, kDataFile, kComments, kSubFolder, kChecked, kColumns };
constexpr std::array<const wchar_t*, kColumns> kColumnNames = {L"method", L"data file", L"comments", L"sub-folder",
                                                               L"checked"};
// Every text the module writes into a row is cut: a longer one would not come back as the file has it.
constexpr std::size_t kLongestText = std::min<std::size_t>(FieldWidth(MethodRecord{}.Comments), kLongestRecordText);

std::wstring Fault(UINT id) { return ModuleString(id); }
std::wstring LineFault(std::size_t line, const std::wstring& fault)
{
    return FormatWin(L"Line %d: %s", static_cast<int>(line), fault.c_str());
}

std::wstring QuotingFault(CsvFault fault)
{
    switch (fault) {
    case CsvFault::QuoteInUnquotedField:
        return Fault(IDS_IMPORT_QUOTE_IN_FIELD);
    case CsvFault::UnclosedQuote:
        return Fault(IDS_IMPORT_UNCLOSED_QUOTE);
    case CsvFault::TextAfterQuote:
        return Fault(IDS_IMPORT_TEXT_AFTER_QUOTE);
    case CsvFault::None:
        break;
    }
    return {};
}

std::optional<bool> CheckedValue(const std::wstring& text)
{
    for (const wchar_t* yes : {L"", L"yes", L"y", L"true", L"1", L"x"})
        if (EqualsNoCase(text, yes))
            return true;
    for (const wchar_t* no : {L"no", L"n", L"false", L"0"})
        if (EqualsNoCase(text, no))
            return false;
    return std::nullopt;
}

// Where each of a row's columns stands in the file's lines (-1 when the file has none), or the
// header's fault.
std::wstring ReadHeader(const std::vector<std::wstring>& names, std::array<int, kColumns>& places)
{
    places.fill(-1);
    const std::vector<std::wstring>& exported = ResultsExport::Columns();
    for (int place = 0; place < static_cast<int>(names.size()); ++place) {
        const std::wstring& name = names[place];
        const auto column = std::ranges::find_if(kColumnNames, [&](const wchar_t* known) { return EqualsNoCase(name, known); });
        const bool result = std::ranges::any_of(exported, [&](const std::wstring& known) { return EqualsNoCase(name, known); });
        if (column == kColumnNames.end() && !result)
            return FormatWin(Fault(IDS_IMPORT_UNKNOWN_COLUMN).c_str(), name.c_str());
        const bool repeated = std::count_if(names.begin(), names.begin() + place,
                                            [&](const std::wstring& before) { return EqualsNoCase(before, name); }) > 0;
        if (repeated)
            return FormatWin(Fault(IDS_IMPORT_REPEATED_COLUMN).c_str(), name.c_str());
        if (column != kColumnNames.end())
            places[column - kColumnNames.begin()] = place;
    }
    if (places[kMethod] < 0)
        return FormatWin(Fault(IDS_IMPORT_MISSING_COLUMN).c_str(), kColumnNames[kMethod]);
    return {};
}

// The row a record plans, or the record's fault.
std::wstring ReadRow(const CsvRecord& record, const std::array<int, kColumns>& places,
                     const std::map<std::wstring, std::wstring>& methods, ImportedRow& row)
{
    const std::vector<std::wstring>& fields = record.fields;
    row.line = record.line;
    const auto field = [&](Column column) { return places[column] < 0 ? std::wstring() : fields[places[column]]; };
    for (int column = 0; column < kColumns; ++column) {
        const std::wstring text = field(static_cast<Column>(column));
        if (text.size() > kLongestText)
            return FormatWin(Fault(IDS_IMPORT_TOO_LONG).c_str(), kColumnNames[column], static_cast<int>(text.size()),
                             static_cast<int>(kLongestText));
    }
    const auto method = methods.find(ToUpperWide(field(kMethod)));
    if (method == methods.end())
        return FormatWin(Fault(IDS_IMPORT_UNKNOWN_METHOD).c_str(), field(kMethod).c_str());
    row.method = method->second;
    row.dataFile = field(kDataFile);
    row.comments = field(kComments);
    row.subFolder = field(kSubFolder);
    const std::optional<bool> checked = CheckedValue(field(kChecked));
    if (!checked)
        return FormatWin(Fault(IDS_IMPORT_BAD_CHECKED).c_str(), field(kChecked).c_str());
    row.checked = *checked;
    if (std::wstring refusal = row.dataFile.empty() ? L"" : DataFolderName::RefusalOfDataFile(row.dataFile);
        !refusal.empty())
        return refusal;
    return DataFolderName::RefusalOfSubFolder(row.subFolder);
}

} // namespace

std::wstring WorklistImport::Read(std::string_view bytes, const std::vector<std::wstring>& methods,
                                  std::vector<ImportedRow>& rows)
{
    rows.clear();
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const CsvText text = SplitCsv(Utf8ToWide(bytes));
    if (text.records.empty())
        return LineFault(text.fault == CsvFault::None ? 1 : text.faultLine,
                         text.fault == CsvFault::None ? Fault(IDS_IMPORT_NO_HEADER) : QuotingFault(text.fault));
    std::array<int, kColumns> places{};
    if (std::wstring fault = ReadHeader(text.records.front().fields, places); !fault.empty())
        return LineFault(text.records.front().line, fault);
    std::map<std::wstring, std::wstring> byName;
    for (const std::wstring& method : methods)
        byName.emplace(ToUpperWide(method), method);
    const std::size_t columns = text.records.front().fields.size();
    rows.reserve(text.records.size() - 1);
    for (auto record = std::next(text.records.begin()); record != text.records.end(); ++record) {
        std::wstring fault = record->fields.size() == columns
                                 ? ReadRow(*record, places, byName, rows.emplace_back())
                                 : FormatWin(Fault(IDS_IMPORT_FIELD_COUNT).c_str(), static_cast<int>(record->fields.size()),
                                             static_cast<int>(columns));
        if (!fault.empty()) {
            rows.clear();
            return LineFault(record->line, fault);
        }
    }
    if (text.fault != CsvFault::None) {
        rows.clear();
        return LineFault(text.faultLine, QuotingFault(text.fault));
    }
    if (rows.empty())
        return LineFault(text.records.front().line + 1, Fault(IDS_IMPORT_NO_ROWS));
    return {};
}

std::wstring WorklistImport::OtherGroupsData(const std::vector<ImportedRow>& rows, const DataFolderUsers& others)
{
    std::wstring taken;
    for (const ImportedRow& row : rows) {
        const DataFolderUsers::User* pOwner = row.dataFile.empty() ? nullptr : others.Find(row.subFolder, row.dataFile);
        if (pOwner)
            taken += FormatWin(L"%sline %d \"%s\" (%s, row %d)", taken.empty() ? L"" : L", ", static_cast<int>(row.line),
                               row.dataFile.c_str(), pOwner->group.c_str(), static_cast<int>(pOwner->row));
    }
    return taken.empty() ? taken : FormatWin(Fault(IDS_IMPORT_OTHER_GROUPS_DATA).c_str(), taken.c_str());
}

std::vector<std::wstring> WorklistImport::MethodsIn(const std::wstring& methodPath)
{
    std::wstring folder = methodPath;
    while (!folder.empty() && (folder.back() == L'\\' || folder.back() == L'/'))
        folder.pop_back();
    std::vector<std::wstring> methods;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*.m").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return methods;
    do
        methods.emplace_back(found.cFileName);
    while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return methods;
}
