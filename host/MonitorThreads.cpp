// Handing the monitor's connections to threads, starting more while all are busy.
#include "MonitorThreads.h"

void MonitorThreads::enqueue(std::function<void()> connection)
{
    {
        const std::lock_guard lock(m_mutex);
        m_connections.push_back(std::move(connection));
        if (m_idle < m_connections.size() && m_threads.size() < m_bound) {
            ++m_idle;
            m_threads.emplace_back([this] { serve(); });
        }
    }
    m_queued.notify_one();
}

void MonitorThreads::shutdown()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void MonitorThreads::serve()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_queued.wait(lock, [this] { return m_stopping || !m_connections.empty(); });
        if (m_connections.empty())
            return;
        const std::function<void()> connection = std::move(m_connections.front());
        m_connections.pop_front();
        --m_idle;
        lock.unlock();
        connection();
        lock.lock();
        ++m_idle;
    }
}
