// The scripted test user.
#include "ScriptedInput.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"

ScriptedInput::ScriptedInput(int watchdogMs)
{
    m_previous = Automation::setInputSource(this);
    m_deadlineMs = Clock::nowMs() + watchdogMs;
}

ScriptedInput::~ScriptedInput()
{
    Automation::setInputSource(m_previous);
    EXPECT_TRUE(m_actions.empty()) << m_actions.size() << " scripted action(s) never ran";
}

ScriptedInput& ScriptedInput::then(std::function<void()> action)
{
    m_actions.push_back(std::move(action));
    return *this;
}

bool ScriptedInput::runNextAction()
{
    if (Clock::nowMs() > m_deadlineMs && !m_watchdogFired) {
        m_watchdogFired = true;
        ADD_FAILURE() << "watchdog: the loops ran past the allowed virtual time";
        m_actions.clear();
        if (const HWND active = GetActiveWindow())
            EndDialog(active, IDCANCEL);
        PostQuitMessage(0);
        return true;
    }
    if (m_actions.empty())
        return false;
    // Taken off first: the action may run nested loops that ask for the next one.
    const std::function<void()> action = std::move(m_actions.front());
    m_actions.pop_front();
    action();
    return true;
}

void ScriptedInput::waitForInput(int) {}

void ScriptedInput::reportStall(HWND, const std::wstring& snapshot)
{
    m_stalls.push_back(snapshot);
    if (m_failOnStall)
        ADD_FAILURE() << "waiting for input that the test does not give:\n" << WideToUtf8(snapshot);
}

testing::AssertionResult Done(const ActionResult& result)
{
    if (result.ok)
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << WideToUtf8(result.message);
}
