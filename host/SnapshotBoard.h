// Where the user-interface thread leaves the monitor's latest snapshot and the server's threads
// pick it up. The lock is held only to swap or copy a pointer, so the user-interface thread never
// waits for a client.
#pragma once

#include "MonitorSnapshot.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

class SnapshotBoard {
public:
    SnapshotBoard();

    // Numbers the snapshot and wakes the waiting readers.
    void publish(MonitorSnapshot snapshot);
    std::shared_ptr<const MonitorSnapshot> latest() const;
    // The first snapshot newer than version, or the latest when none comes within the wait or the
    // board is closed.
    std::shared_ptr<const MonitorSnapshot> waitForNewer(std::uint64_t version, std::chrono::milliseconds wait) const;
    // Wakes every waiting reader for good: the server is stopping.
    void close();
    bool closed() const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::shared_ptr<const MonitorSnapshot> m_latest;
    bool m_closed = false;
};
