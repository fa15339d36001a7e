// The thread's queue of posted messages.
#include "win/MessageQueue.h"

#include "kernel/Clock.h"
#include "win/KeyboardState.h"

#include <algorithm>

namespace {

bool isWithin(HWND window, HWND ancestor)
{
    for (HWND current = window; current; current = GetAncestor(current, GA_PARENT))
        if (current == ancestor)
            return true;
    return false;
}

bool passes(const MSG& message, HWND window, UINT first, UINT last)
{
    if (window && !isWithin(message.hwnd, window))
        return false;
    return (first == 0 && last == 0) || (message.message >= first && message.message <= last);
}

bool isInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

// The message with its time and the cursor, as it enters the queue; input is noted for
// GetLastInputInfo.
MSG stamped(const MSG& message)
{
    MSG result = message;
    result.time = Clock::tickCount();
    result.pt = KeyboardState::instance().cursor;
    if (isInput(message.message))
        KeyboardState::instance().lastInputTime = result.time;
    return result;
}

} // namespace

MessageQueue& MessageQueue::instance()
{
    static MessageQueue queue;
    return queue;
}

void MessageQueue::post(const MSG& message) { m_messages.push_back(stamped(message)); }

void MessageQueue::postFront(const MSG& message) { m_messages.push_front(stamped(message)); }

void MessageQueue::postQuit(int exitCode)
{
    m_quitPosted = true;
    m_exitCode = exitCode;
}

bool MessageQueue::take(MSG& message, HWND window, UINT first, UINT last, bool remove)
{
    const auto it = std::find_if(m_messages.begin(), m_messages.end(),
                                 [&](const MSG& queued) { return passes(queued, window, first, last); });
    if (it != m_messages.end()) {
        message = *it;
        if (remove)
            m_messages.erase(it);
        return true;
    }
    if (!m_quitPosted || window)
        return false;
    message = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(m_exitCode), 0, Clock::tickCount(), KeyboardState::instance().cursor};
    if (remove)
        m_quitPosted = false;
    return true;
}

bool MessageQueue::contains(const std::function<bool(const MSG&)>& matches) const
{
    return std::any_of(m_messages.begin(), m_messages.end(), matches);
}

void MessageQueue::removeIf(const std::function<bool(const MSG&)>& matches)
{
    std::erase_if(m_messages, matches);
}
