// Observers by id, told of a change in the order they were added. An observer may add or remove
// observers while it is told: each one present at the start and still present at its turn hears.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

template <typename Observer>
class ObserverList {
public:
    using Id = std::uint64_t;

    Id add(Observer observer)
    {
        m_entries.push_back({m_nextId, std::move(observer)});
        return m_nextId++;
    }
    void remove(Id id)
    {
        std::erase_if(m_entries, [id](const Entry& entry) { return entry.id == id; });
    }
    std::size_t size() const { return m_entries.size(); }
    void clear() { m_entries.clear(); }

    // tell(observer) for each observer for which concerned(observer) holds. The observer is
    // copied first, so removing it during the call is safe.
    template <typename Concerned, typename Tell>
    void notify(Concerned concerned, Tell tell)
    {
        std::vector<Id> ids;
        for (const Entry& entry : m_entries)
            if (concerned(entry.observer))
                ids.push_back(entry.id);
        for (Id id : ids) {
            const auto found =
                std::find_if(m_entries.begin(), m_entries.end(), [id](const Entry& entry) { return entry.id == id; });
            if (found == m_entries.end())
                continue;
            Observer observer = found->observer;
            tell(observer);
        }
    }

private:
    struct Entry {
        Id id;
        Observer observer;
    };
    std::vector<Entry> m_entries;
    Id m_nextId = 1;
};
