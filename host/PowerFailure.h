// Crash tests end the host as a power failure would, at a chosen moment of a run: with
// ORVANE_KILL_AT_CHANGE=N the host kills itself with SIGKILL at the N-th change of a host
// variable (a method's start, its progress and its end all change them). With 0 it never kills
// and says at the end how many changes there were, so that a test knows how long a run is. With
// ORVANE_KILL_AT_LINE=TEXT it kills itself once it has shown a line holding TEXT (a logbook entry).
#pragma once

#include "orvane/CpVariables.h"

#include <functional>
#include <optional>
#include <string>

class PowerFailure {
public:
    PowerFailure();
    ~PowerFailure();
    PowerFailure(const PowerFailure&) = delete;
    PowerFailure& operator=(const PowerFailure&) = delete;

    using Output = std::function<void(const std::wstring& line)>;
    // The host's output, ended by the kill after the line that ORVANE_KILL_AT_LINE names.
    static Output Watching(Output output);

private:
    std::optional<long> m_killAt;
    long m_changes = 0;
    CpVariables::ObserverId m_observer{};
};
