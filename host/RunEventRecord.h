// A run event as the host passes it on: its fields in UTF-8 with the time and the instrument, as
// one JSON object and as the environment variables of a notification command.
#pragma once

#include "orvane/CpRunEvent.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <string>
#include <vector>

struct RunEventRecord {
    std::string event;
    std::string group;
    long row = 0;
    std::string method;
    std::string message;
    long done = 0;
    long failed = 0;
    // Seconds since 1970-01-01 UTC, on the host's clock.
    std::int64_t time = 0;
    std::string instrument;

    // Reads the clock and the instrument's name: on the user-interface thread.
    static RunEventRecord from(const CpRunEvent& event);
    nlohmann::json json() const;
    // SERION_EVENT, SERION_GROUP, ... as "NAME=value".
    std::vector<std::string> environment() const;
};

// A time as "2026-12-07T20:15:00Z"; empty for 0.
std::string IsoTime(std::int64_t seconds);
// A time as the host's local date and time of day, "2026-12-07 21:15:00"; empty for 0.
std::string LocalTime(std::int64_t seconds);
