// From a Win32 handle to its framework object: the permanent object attached to it, or else a
// temporary wrapper that the map owns. Temporary wrappers of handles that no longer exist are
// swept as the map grows, so a pointer from FromHandle is good only until the handle is gone.
#pragma once

#include <memory>
#include <unordered_map>

template <class CObj, class Handle, Handle CObj::*HandleMember, bool (*IsLive)(Handle)>
class CHandleMap {
public:
    CObj* LookupPermanent(Handle h) const
    {
        auto found = m_permanentMap.find(h);
        return found == m_permanentMap.end() ? nullptr : found->second;
    }

    void SetPermanent(Handle h, CObj* pObject)
    {
        m_temporaryMap.erase(h);
        m_permanentMap[h] = pObject;
    }

    void RemoveHandle(Handle h) { m_permanentMap.erase(h); }

    CObj* FromHandle(Handle h)
    {
        if (!h)
            return nullptr;
        if (CObj* permanent = LookupPermanent(h))
            return permanent;
        auto found = m_temporaryMap.find(h);
        if (found != m_temporaryMap.end())
            return found->second.get();
        if (m_temporaryMap.size() >= m_sweepAt)
            SweepDeadTemporaries();
        std::unique_ptr<CObj, Releaser> wrapper(new CObj());
        wrapper.get()->*HandleMember = h;
        return m_temporaryMap.emplace(h, std::move(wrapper)).first->second.get();
    }

private:
    struct Releaser {
        // A temporary wrapper never owns its handle: it lets go before it is deleted.
        void operator()(CObj* pObject) const
        {
            pObject->*HandleMember = nullptr;
            delete pObject;
        }
    };

    void SweepDeadTemporaries()
    {
        std::erase_if(m_temporaryMap, [](const auto& entry) { return !IsLive(entry.first); });
        m_sweepAt = 2 * m_temporaryMap.size() + 64;
    }

    std::unordered_map<Handle, CObj*> m_permanentMap;
    std::unordered_map<Handle, std::unique_ptr<CObj, Releaser>> m_temporaryMap;
    std::size_t m_sweepAt = 64;
};
