// The thread's one queue of posted messages and its quit request.
#pragma once

#include "win/WinUser.h"

#include <deque>
#include <functional>

class MessageQueue {
public:
    static MessageQueue& instance();

    void post(const MSG& message);
    // Characters made by TranslateMessage come before anything posted after their key.
    void postFront(const MSG& message);
    void postQuit(int exitCode);

    // The first message for window or its descendants (null: any window) within [first, last]
    // (0, 0: any message); WM_QUIT once nothing else is left. Removed when remove is true.
    bool take(MSG& message, HWND window, UINT first, UINT last, bool remove);
    bool contains(const std::function<bool(const MSG&)>& matches) const;
    void removeIf(const std::function<bool(const MSG&)>& matches);
    bool empty() const { return m_messages.empty() && !m_quitPosted; }

private:
    std::deque<MSG> m_messages;
    bool m_quitPosted = false;
    int m_exitCode = 0;
};
