// Quoting CSV fields.
#include "CsvLine.h"

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
