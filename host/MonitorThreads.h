// The web monitor's serving threads: a connection gets a thread of its own, started when every
// thread is busy, up to a bound; only over the bound does a connection wait for one. So clients
// that take their time never make the others wait.
#pragma once

#include <httplib.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class MonitorThreads : public httplib::TaskQueue {
public:
    explicit MonitorThreads(std::size_t bound) : m_bound(bound) {}

    void enqueue(std::function<void()> connection) override;
    // Serves the connections taken and ends every thread.
    void shutdown() override;

private:
    void serve();

    std::size_t m_bound;
    std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<std::function<void()>> m_connections;
    std::vector<std::thread> m_threads;
    std::size_t m_idle = 0;
    bool m_stopping = false;
};
