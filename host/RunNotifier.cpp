// Running notification commands on a worker thread, in the order of their events, and reporting
// their failures on the user-interface thread.
#include "RunNotifier.h"

#include "RunEventRecord.h"

#include "kernel/Text.h"
#include "orvane/CpVariables.h"

#include <cmath>

namespace {

constexpr double kDefaultLimitSeconds = 30;
constexpr std::int64_t kCollectIntervalMs = 500;

std::string notifyCommand()
{
    const auto command = CpVariables::instance().get("_SERIONNOTIFY$");
    if (!command || !command->isText() || command->text().find_first_not_of(L' ') == std::wstring::npos)
        return "";
    return WideToUtf8(command->text());
}

std::chrono::milliseconds notifyLimit()
{
    const auto seconds = CpVariables::instance().get("_SERIONNOTIFYLIMIT");
    const double value = seconds && !seconds->isText() && seconds->number() > 0 ? seconds->number() : kDefaultLimitSeconds;
    return std::chrono::milliseconds(std::llround(value * 1000));
}

} // namespace

RunNotifier::RunNotifier(Logbook& logbook)
    : m_logbook(logbook), m_source(logbook.registerSource(L"Notification")),
      m_observer(CpAddRunEventObserver([this](const CpRunEvent& event) { notify(event); }))
{
}

RunNotifier::~RunNotifier()
{
    CpRemoveRunEventObserver(m_observer);
    finish();
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    if (m_worker.joinable())
        m_worker.join();
    m_logbook.unregisterSource(m_source);
}

void RunNotifier::notify(const CpRunEvent& event)
{
    collectEnded();
    // A row that starts or ends done needs nobody.
    if (event.kind == RUNEVENT_METHOD_STARTED || event.kind == RUNEVENT_METHOD_DONE)
        return;
    const std::string line = notifyCommand();
    if (line.empty())
        return;
    const RunEventRecord record = RunEventRecord::from(event);
    {
        const std::lock_guard lock(m_mutex);
        m_due.push_back({record.event, line, record.environment(), record.json().dump() + "\n", notifyLimit(), {}});
    }
    m_changed.notify_all();
    if (!m_worker.joinable())
        m_worker = std::thread([this] { work(); });
    if (!m_collectTimer && !Clock::isVirtual())
        m_collectTimer = Clock::addTimer(kCollectIntervalMs, [this] { collectEnded(); });
}

void RunNotifier::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stopping || !m_due.empty(); });
        if (m_due.empty())
            return;
        Command command = std::move(m_due.front());
        m_due.pop_front();
        m_busy = true;
        lock.unlock();
        command.outcome = ChildCommand::run(command.line, command.environment, command.input, command.limit);
        lock.lock();
        m_busy = false;
        m_ended.push_back(std::move(command));
        m_changed.notify_all();
    }
}

void RunNotifier::collectEnded()
{
    std::vector<Command> ended;
    bool outstanding = false;
    {
        const std::lock_guard lock(m_mutex);
        ended.swap(m_ended);
        outstanding = m_busy || !m_due.empty();
    }
    for (const Command& command : ended)
        report(command);
    if (!outstanding && m_collectTimer) {
        Clock::removeTimer(*m_collectTimer);
        m_collectTimer.reset();
    }
}

void RunNotifier::finish()
{
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_due.empty() && !m_busy; });
    }
    collectEnded();
}

void RunNotifier::report(const Command& command)
{
    const ChildCommand::Outcome& outcome = command.outcome;
    if (outcome.succeeded())
        return;
    std::string text = "The notification command for " + command.event;
    if (!outcome.started)
        text += " could not start: " + outcome.error;
    else if (outcome.timedOut)
        text += " did not end within " + std::to_string(command.limit.count()) + " ms and was ended" +
                (outcome.lastLine.empty() ? "." : ": " + outcome.lastLine);
    else
        text += " failed with exit status " + std::to_string(outcome.status) +
                (outcome.lastLine.empty() ? "." : ": " + outcome.lastLine);
    m_logbook.write({m_source, Clock::nowMs() / 1000, Utf8ToWide(text)});
}
