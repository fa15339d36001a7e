// Quoting and splitting CSV fields, and writing a file with the reason it could not be written.
#include "CsvLine.h"

#include "ModuleString.h"
#include "resources/ResourceIds.h"

#include "kernel/CrtFile.h"
#include "kernel/Text.h"
#include "kernel/WinFormat.h"

#include <cerrno>
#include <cstring>

std::wstring CsvLine(const std::vector<std::wstring>& fields)
{
    std::wstring line;
    for (const std::wstring& field : fields) {
        if (&field != &fields.front())
            line += L',';
        if (field.find_first_of(L",\"\r\n") == std::wstring::npos) {
            line += field;
            continue;
        }
        line += L'"';
        for (wchar_t c : field)
            line += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
        line += L'"';
    }
    return line + L"\r\n";
}

int WriteCsvFile(const std::wstring& file, const std::wstring& header, const std::vector<std::vector<std::wstring>>& records)
{
    std::wstring text = header + L"\r\n";
    for (const std::vector<std::wstring>& record : records)
        text += CsvLine(record);
    return WriteWholeFile(file, WideToUtf8(text));
}

int WriteWholeFile(const std::wstring& file, const std::string& bytes)
{
    const auto opened = CrtFile::open(file, L"wb");
    if (!opened)
        return errno;
    return opened->writeBytes(bytes) ? 0 : errno;
}

std::wstring FileWriteFailure(const std::wstring& file, int error)
{
    switch (error) {
    case ENOENT: {
        const std::size_t slash = file.find_last_of(L"\\/");
        return FormatWin(ModuleString(IDS_WRITE_NO_FOLDER).c_str(),
                         slash == std::wstring::npos ? file.c_str() : file.substr(0, slash).c_str());
    }
    case EACCES:
    case EPERM:
    case EROFS:
        return ModuleString(IDS_WRITE_NO_PERMISSION);
    case ENOSPC:
        return ModuleString(IDS_WRITE_DISK_FULL);
    case EISDIR:
        return ModuleString(IDS_WRITE_IS_FOLDER);
    default:
        return Utf8ToWide(std::strerror(error)) + L".";
    }
}

CsvText SplitCsv(std::wstring_view text)
{
    CsvText result;
    std::size_t line = 1;
    std::size_t at = 0;
    const auto fail = [&](CsvFault fault) {
        result.fault = fault;
        result.faultLine = line;
        return result;
    };
    while (at < text.size()) {
        CsvRecord record{line, {}};
        for (;;) {
            std::wstring field;
            if (at < text.size() && text[at] == L'"') {
                const std::size_t quotedLine = line;
                for (++at;; ++at) {
                    if (at >= text.size()) {
                        line = quotedLine;
                        return fail(CsvFault::UnclosedQuote);
                    }
                    if (text[at] == L'"' && at + 1 < text.size() && text[at + 1] == L'"')
                        ++at;
                    else if (text[at] == L'"')
                        break;
                    line += text[at] == L'\n';
                    field += text[at];
                }
                ++at;
                if (at < text.size() && text.substr(at, 1).find_first_of(L",\r\n") == std::wstring_view::npos)
                    return fail(CsvFault::TextAfterQuote);
            } else {
                const std::size_t end = std::min(text.find_first_of(L",\r\n", at), text.size());
                field = text.substr(at, end - at);
                if (field.find(L'"') != std::wstring::npos)
                    return fail(CsvFault::QuoteInUnquotedField);
                at = end;
            }
            record.fields.push_back(std::move(field));
            if (at < text.size() && text[at] == L',') {
                ++at;
                continue;
            }
            break;
        }
        // The record ends at a line end or at the end of the text.
        if (at < text.size() && text[at] == L'\r')
            ++at;
        if (at < text.size() && text[at] == L'\n')
            ++at;
        ++line;
        if (record.fields.size() > 1 || !record.fields.front().empty())
            result.records.push_back(std::move(record));
    }
    return result;
}
