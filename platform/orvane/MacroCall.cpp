// Arguments of a registered command's call.
#include "MacroCall.h"

#include <cwchar>

std::wstring MacroCall::text(std::size_t index) const
{
    return index < m_arguments.size() ? m_arguments[index].toText() : std::wstring();
}

std::optional<double> MacroCall::number(std::size_t index) const
{
    if (index >= m_arguments.size())
        return std::nullopt;
    const CpValue& argument = m_arguments[index];
    if (!argument.isText())
        return argument.number();
    const std::wstring& text = argument.text();
    wchar_t* end = nullptr;
    const double value = std::wcstod(text.c_str(), &end);
    if (text.empty() || *end != L'\0')
        return std::nullopt;
    return value;
}
