// The process's one clock: the real clock in interactive use, a virtual clock in tests and scripts,
// and the timers that the message loop runs.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

class Clock {
public:
    using TimerId = std::uint64_t;
    using TimerCallback = std::function<void()>;

    // A virtual clock starts at startMs (milliseconds since 1970-01-01 UTC) and moves only when
    // advanced; the real clock follows the system's time.
    static void useVirtual(std::int64_t startMs);
    static void useReal();
    static bool isVirtual();

    static std::int64_t nowMs();
    // Milliseconds since the clock was chosen; wraps as GetTickCount does.
    static std::uint32_t tickCount();
    // Virtual: moves time forward at once. Real: sleeps.
    static void advance(std::int64_t ms);

    // A periodic timer, due every intervalMs from now. Callbacks run only from runDueTimers.
    static TimerId addTimer(std::int64_t intervalMs, TimerCallback callback);
    static void removeTimer(TimerId id);
    static std::optional<std::int64_t> nextDueMs();
    // Runs every timer that is due at nowMs(), once each; true when any ran.
    static bool runDueTimers();
    // Virtual clock only: jumps to the next due timer, if any, and runs what is due there.
    static bool advanceToNextTimer();
};
