// A test's user: actions run one at a time whenever a message loop (main or modal) is idle. A
// loop left waiting with no action fails the test with the window's snapshot, and the dialog is
// cancelled, so a missing step never hangs. A watchdog fails the test and ends the loops when
// virtual time runs past its limit, as endless periodic timers would make it.
#pragma once

#include "win/Automation.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

class ScriptedInput : public InputSource {
public:
    explicit ScriptedInput(int watchdogMs = 3600 * 1000);
    ~ScriptedInput() override;
    ScriptedInput(const ScriptedInput&) = delete;
    ScriptedInput& operator=(const ScriptedInput&) = delete;

    // Queues an action; returns *this so that steps read in order.
    ScriptedInput& then(std::function<void()> action);
    // A stall is then expected: it is recorded instead of failing the test.
    void expectStalls() { m_failOnStall = false; }

    std::size_t pendingActions() const { return m_actions.size(); }
    const std::vector<std::wstring>& stallSnapshots() const { return m_stalls; }

    bool runNextAction() override;
    void waitForInput(int timeoutMs) override;
    void reportStall(HWND window, const std::wstring& snapshot) override;

private:
    std::deque<std::function<void()>> m_actions;
    std::vector<std::wstring> m_stalls;
    bool m_failOnStall = true;
    InputSource* m_previous = nullptr;
    std::int64_t m_deadlineMs = 0;
    bool m_watchdogFired = false;
};

// Passes when the action could be done as a user would; otherwise says why.
testing::AssertionResult Done(const ActionResult& result);
