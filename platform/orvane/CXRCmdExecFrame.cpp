// Parameters of one command call.
#include "CXRCmdExecFrame.h"

std::wstring CXRCmdExecFrame::GetStringParam(int index, BOOL* found) const
{
    const bool given = index >= 1 && index <= paramCount();
    if (found)
        *found = given ? TRUE : FALSE;
    return given ? m_params[index - 1] : std::wstring();
}
