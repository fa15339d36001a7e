// Values of host variables and macro expressions.
#include "CpValue.h"

#include <cwchar>

double CpValue::number() const
{
    const double* value = std::get_if<double>(&m_value);
    return value ? *value : 0.0;
}

const std::wstring& CpValue::text() const
{
    static const std::wstring empty;
    const std::wstring* value = std::get_if<std::wstring>(&m_value);
    return value ? *value : empty;
}

std::wstring CpValue::toText() const
{
    if (isText())
        return text();
    wchar_t buffer[40];
    std::swprintf(buffer, std::size(buffer), L"%.15g", number());
    return buffer;
}
