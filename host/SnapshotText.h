// A text the monitor makes from a snapshot (its status JSON, its page): made once, by the first
// client that asks after a change, and shared by every client until the next change.
#pragma once

#include "MonitorSnapshot.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class SnapshotText {
public:
    using Maker = std::function<std::string(const MonitorSnapshot&)>;

    explicit SnapshotText(Maker make) : m_make(std::move(make)) {}

    std::shared_ptr<const std::string> of(const MonitorSnapshot& snapshot);

private:
    Maker m_make;
    std::mutex m_mutex;
    std::uint64_t m_version = 0;
    std::shared_ptr<const std::string> m_text;
};
