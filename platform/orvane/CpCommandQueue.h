// Command lines queued by CpExecCommand. The host runs them, in order, after the handler that
// queued them has returned: its loop drains the queue when the wake hook tells it that a line
// is waiting (see MacroInterpreter::runQueuedCommands).
#pragma once

#include "OrvaneTypes.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class CpCommandQueue {
public:
    struct Entry {
        HCPCONTEXT context;
        std::wstring line;
    };

    static CpCommandQueue& instance();

    void push(HCPCONTEXT context, std::wstring line);
    std::optional<Entry> takeNext();
    bool empty() const { return m_lines.empty(); }
    // The lines still waiting, oldest first.
    std::vector<Entry> pending() const { return {m_lines.begin(), m_lines.end()}; }

    // Called each time a line is queued; the host posts itself a message here so that its loop
    // wakes and drains the queue.
    void setWakeHook(std::function<void()> hook) { m_wakeHook = std::move(hook); }
    void clear() { m_lines.clear(); }

private:
    CpCommandQueue() = default;
    std::deque<Entry> m_lines;
    std::function<void()> m_wakeHook;
};
