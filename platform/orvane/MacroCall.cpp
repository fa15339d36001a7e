// Arguments of a registered command's call.
#include "MacroCall.h"

std::wstring MacroCall::text(std::size_t index) const
{
    return index < m_arguments.size() ? m_arguments[index].toText() : std::wstring();
}
