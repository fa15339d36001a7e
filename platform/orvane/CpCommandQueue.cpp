// The queue of command lines that modules hand the host.
#include "CpCommandQueue.h"

CpCommandQueue& CpCommandQueue::instance()
{
    static CpCommandQueue queue;
    return queue;
}

void CpCommandQueue::push(HCPCONTEXT context, std::wstring line)
{
    m_lines.push_back({context, std::move(line)});
    if (m_wakeHook)
        m_wakeHook();
}

std::optional<CpCommandQueue::Entry> CpCommandQueue::takeNext()
{
    if (m_lines.empty())
        return std::nullopt;
    Entry next = std::move(m_lines.front());
    m_lines.pop_front();
    return next;
}
