// Handing snapshots from the user-interface thread to the monitor's server threads.
#include "SnapshotBoard.h"

SnapshotBoard::SnapshotBoard() : m_latest(std::make_shared<const MonitorSnapshot>()) {}

void SnapshotBoard::publish(MonitorSnapshot snapshot)
{
    {
        const std::lock_guard lock(m_mutex);
        snapshot.version = m_latest->version + 1;
        m_latest = std::make_shared<const MonitorSnapshot>(std::move(snapshot));
    }
    m_changed.notify_all();
}

std::shared_ptr<const MonitorSnapshot> SnapshotBoard::latest() const
{
    const std::lock_guard lock(m_mutex);
    return m_latest;
}

std::shared_ptr<const MonitorSnapshot> SnapshotBoard::waitForNewer(std::uint64_t version,
                                                                   std::chrono::milliseconds wait) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, wait, [&] { return m_closed || m_latest->version > version; });
    return m_latest;
}

void SnapshotBoard::close()
{
    {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_changed.notify_all();
}

bool SnapshotBoard::closed() const
{
    const std::lock_guard lock(m_mutex);
    return m_closed;
}
