// What the web monitor shows of the running host, as the user-interface thread saw it at the last
// run event: the instrument's status and the group that runs or ran last, with its rows. A
// snapshot never changes once published, so the server's threads read it without a lock.
#pragma once

#include "MonitorRow.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

struct MonitorSnapshot {
    // Counts the snapshots published, from 1.
    std::uint64_t version = 0;
    // Seconds since 1970-01-01 UTC on the host's clock when the snapshot was taken.
    std::int64_t time = 0;
    std::string instrument;
    // GUISYSTEMSTATUS$ and ACQSTATUS$ as the host has them, and what they say in words:
    // "running", "idle", "not ready" or "error".
    std::string systemStatus;
    std::string acquisition;
    std::string instrumentState;
    // "idle", "running", "paused", "ended" or "interrupted".
    std::string run;
    // The last run event and its message.
    std::string event;
    std::string message;
    std::string group;
    // When the module expected the run to end at the last event, on the host's clock; 0 when it
    // could not tell or no group runs.
    std::int64_t expectedEnd = 0;
    std::vector<MonitorRow> rows;

    long runningRow() const { return MonitorRow::runningRow(rows); }
    nlohmann::json json() const;
};
