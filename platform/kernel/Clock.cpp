// The clock and its timers; a virtual clock never waits on the wall.
#include "Clock.h"

#include <chrono>
#include <map>
#include <thread>
#include <vector>

namespace {

struct Timer {
    std::int64_t intervalMs;
    std::int64_t dueMs;
    Clock::TimerCallback callback;
};

std::int64_t realNowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

struct ClockState {
    bool isVirtual = false;
    std::int64_t virtualNowMs = 0;
    std::int64_t startMs = realNowMs();
    Clock::TimerId nextId = 1;
    std::map<Clock::TimerId, Timer> timers;
};

ClockState& state()
{
    static ClockState clockState;
    return clockState;
}

} // namespace

void Clock::useVirtual(std::int64_t startMs)
{
    state().isVirtual = true;
    state().virtualNowMs = startMs;
    state().startMs = startMs;
}

void Clock::useReal()
{
    state().isVirtual = false;
    state().startMs = realNowMs();
}

bool Clock::isVirtual() { return state().isVirtual; }

std::int64_t Clock::nowMs() { return state().isVirtual ? state().virtualNowMs : realNowMs(); }

std::uint32_t Clock::tickCount() { return static_cast<std::uint32_t>(nowMs() - state().startMs); }

void Clock::advance(std::int64_t ms)
{
    if (ms <= 0)
        return;
    if (state().isVirtual)
        state().virtualNowMs += ms;
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Clock::TimerId Clock::addTimer(std::int64_t intervalMs, TimerCallback callback)
{
    const TimerId id = state().nextId++;
    const std::int64_t interval = intervalMs > 0 ? intervalMs : 1;
    state().timers[id] = Timer{interval, nowMs() + interval, std::move(callback)};
    return id;
}

void Clock::removeTimer(TimerId id) { state().timers.erase(id); }

std::optional<std::int64_t> Clock::nextDueMs()
{
    std::optional<std::int64_t> next;
    for (const auto& [id, timer] : state().timers)
        if (!next || timer.dueMs < *next)
            next = timer.dueMs;
    return next;
}

bool Clock::runDueTimers()
{
    const std::int64_t now = nowMs();
    std::vector<TimerId> due;
    for (const auto& [id, timer] : state().timers)
        if (timer.dueMs <= now)
            due.push_back(id);
    for (TimerId id : due) {
        // A callback may remove this or any other timer, so look each one up again.
        auto it = state().timers.find(id);
        if (it == state().timers.end())
            continue;
        it->second.dueMs = now + it->second.intervalMs;
        TimerCallback callback = it->second.callback;
        callback();
    }
    return !due.empty();
}

bool Clock::advanceToNextTimer()
{
    const auto next = nextDueMs();
    if (!state().isVirtual || !next)
        return false;
    if (*next > state().virtualNowMs)
        state().virtualNowMs = *next;
    return runDueTimers();
}
