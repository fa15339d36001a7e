// The host's registers by name and handle.
#include "RegisterStore.h"

#include "kernel/Text.h"

#include <algorithm>

RegisterStore& RegisterStore::instance()
{
    static RegisterStore store;
    return store;
}

Register* RegisterStore::find(std::wstring_view name)
{
    for (const auto& reg : m_registers)
        if (EqualsNoCase(reg->name(), name))
            return reg.get();
    return nullptr;
}

Register* RegisterStore::find(HREGISTER handle)
{
    for (const auto& reg : m_registers)
        if (reg->handle() == handle)
            return reg.get();
    return nullptr;
}

Register& RegisterStore::obtain(std::wstring_view name, bool temporary)
{
    if (Register* found = find(name))
        return *found;
    m_registers.push_back(std::make_unique<Register>(std::wstring(name), m_nextHandle++, temporary));
    return *m_registers.back();
}

bool RegisterStore::remove(HREGISTER handle)
{
    const auto found = std::find_if(m_registers.begin(), m_registers.end(),
                                    [handle](const auto& reg) { return reg->handle() == handle; });
    if (found == m_registers.end() || (*found)->writeLocked() || (*found)->readers() > 0)
        return false;
    m_registers.erase(found);
    return true;
}
