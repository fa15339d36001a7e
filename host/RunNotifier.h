// The notification command: for each run event the host runs the command line that _SERIONNOTIFY$
// names, in the background with the limit _SERIONNOTIFYLIMIT (seconds, 30 when unset), and writes
// to the logbook a command that failed or had to be ended.
#pragma once

#include "ChildCommand.h"
#include "Logbook.h"

#include "kernel/Clock.h"
#include "orvane/CpRunEvent.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

class RunNotifier {
public:
    explicit RunNotifier(Logbook& logbook);
    // Waits for the commands still due (each within its limit) and writes their failures.
    ~RunNotifier();
    RunNotifier(const RunNotifier&) = delete;
    RunNotifier& operator=(const RunNotifier&) = delete;

    // Waits for every command due so far and writes the failures to the logbook.
    void finish();

private:
    struct Command {
        std::string event;
        std::string line;
        std::vector<std::string> environment;
        std::string input;
        std::chrono::milliseconds limit{};
        ChildCommand::Outcome outcome;
    };

    void notify(const CpRunEvent& event);
    // The worker runs the commands one after another, so that they see the events in order.
    void work();
    // Writes the failures of the commands that have ended; on the user-interface thread.
    void collectEnded();
    void report(const Command& command);

    Logbook& m_logbook;
    std::int32_t m_source;
    CpRunEventObserverId m_observer;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Command> m_due;
    std::vector<Command> m_ended;
    bool m_busy = false;
    bool m_stopping = false;
    // Started with the first command.
    std::thread m_worker;
    // On the real clock ended commands are collected every half second while any is due; on the
    // virtual clock at the next event and at finish, since a timer would race virtual time ahead.
    std::optional<Clock::TimerId> m_collectTimer;
};
