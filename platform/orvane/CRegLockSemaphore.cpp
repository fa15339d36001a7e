// Read and write locks on named registers.
#include "CRegLockSemaphore.h"

#include "RegisterStore.h"

#include <algorithm>

CRegLockSemaphore::~CRegLockSemaphore()
{
    Unlock();
}

SHORT CRegLockSemaphore::LockRead(LPCWSTR registerName, HWND, int)
{
    return lock(registerName, Kind::Read);
}

SHORT CRegLockSemaphore::LockWrite(LPCWSTR registerName, HWND, int)
{
    return lock(registerName, Kind::Write);
}

SHORT CRegLockSemaphore::lock(LPCWSTR registerName, Kind kind)
{
    if (m_kind != Kind::None || !registerName || !*registerName)
        return REG_ERR_LOCKED;
    RegisterStore& store = RegisterStore::instance();
    Register* reg = store.find(registerName);
    if (!reg && kind == Kind::Read)
        return REG_ERR_NO_REGISTER;
    if (!reg)
        reg = &store.obtain(registerName, true);
    if (!(kind == Kind::Read ? reg->lockRead() : reg->lockWrite()))
        return REG_ERR_LOCKED;
    m_handle = reg->handle();
    m_kind = kind;
    return REG_OK;
}

SHORT CRegLockSemaphore::Unlock()
{
    if (m_kind == Kind::None)
        return REG_ERR_NOT_LOCKED;
    if (Register* reg = lockedRegister())
        m_kind == Kind::Read ? reg->unlockRead() : reg->unlockWrite();
    m_kind = Kind::None;
    m_handle = 0;
    return REG_OK;
}

SHORT CRegLockSemaphore::GetRegDescStruct(REGDESCSTRUCT* desc) const
{
    if (!desc)
        return REG_ERR_RANGE;
    *desc = {};
    Register* reg = lockedRegister();
    if (!reg)
        return REG_ERR_NOT_LOCKED;
    desc->hRegister = reg->handle();
    const std::size_t length = std::min(reg->name().size(), std::size(desc->szName) - 1);
    std::copy_n(reg->name().begin(), length, desc->szName);
    return REG_OK;
}

Register* CRegLockSemaphore::lockedRegister() const
{
    return m_kind == Kind::None ? nullptr : RegisterStore::instance().find(m_handle);
}
