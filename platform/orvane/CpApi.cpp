// The command processor's calls over the host's variables and command queue.
#include "CpApi.h"

#include "CpCommandQueue.h"
#include "CpVariables.h"
#include "TextBuffer.h"

#include "kernel/Text.h"

#include <algorithm>
#include <set>

namespace {

std::set<HCPCONTEXT>& contexts()
{
    static std::set<HCPCONTEXT> live;
    return live;
}

} // namespace

HCPCONTEXT CpCreateContext()
{
    static HCPCONTEXT next = 0x1000;
    contexts().insert(++next);
    return next;
}

void CpDestroyContext(HCPCONTEXT context)
{
    contexts().erase(context);
}

bool CpIsValidContext(HCPCONTEXT context)
{
    return contexts().contains(context);
}

SHORT CpExecCommand(HCPCONTEXT context, LPCWSTR line, int, int, int)
{
    if (!CpIsValidContext(context))
        return CP_ERR_BAD_CONTEXT;
    CpCommandQueue::instance().push(context, line ? line : L"");
    return CP_OK;
}

SHORT CpSetNumVar(HCPCONTEXT context, LPCSTR name, double value)
{
    if (!CpIsValidContext(context))
        return CP_ERR_BAD_CONTEXT;
    if (!name)
        return CP_ERR_BAD_NAME;
    return CpVariables::instance().set(name, CpValue(value));
}

SHORT CpSetStrVar(HCPCONTEXT context, LPCSTR name, LPCWSTR value)
{
    if (!CpIsValidContext(context))
        return CP_ERR_BAD_CONTEXT;
    if (!name)
        return CP_ERR_BAD_NAME;
    return CpVariables::instance().set(name, CpValue(std::wstring(value ? value : L"")));
}

SHORT CpGetNumVar(HCPCONTEXT context, LPCSTR name, double* value)
{
    if (!CpIsValidContext(context))
        return CP_ERR_BAD_CONTEXT;
    const auto found = name ? CpVariables::instance().get(name) : std::nullopt;
    if (!found)
        return CP_ERR_UNKNOWN_VARIABLE;
    if (found->isText())
        return CP_ERR_WRONG_TYPE;
    if (value)
        *value = found->number();
    return CP_OK;
}

SHORT CpGetStrVar(HCPCONTEXT context, LPCSTR name, LPWSTR buffer, int capacity)
{
    if (!CpIsValidContext(context))
        return CP_ERR_BAD_CONTEXT;
    const auto found = name ? CpVariables::instance().get(name) : std::nullopt;
    if (!found)
        return CP_ERR_UNKNOWN_VARIABLE;
    if (!found->isText())
        return CP_ERR_WRONG_TYPE;
    const std::wstring& text = found->text();
    const auto needed = static_cast<SHORT>(-static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFF)));
    if (!buffer || capacity <= 0)
        return needed;
    return static_cast<std::size_t>(CopyToBuffer(text, buffer, capacity)) == text.size() ? CP_OK : needed;
}
