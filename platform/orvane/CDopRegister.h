// Access to a locked register: the base of the object, table and text-item readers.
#pragma once

#include "CRegLockSemaphore.h"

class CDopRegister {
public:
    virtual ~CDopRegister() = default;
    // REG_ERR_NOT_LOCKED when the semaphore holds no lock.
    SHORT SetLockAccess(CRegLockSemaphore* lock);

protected:
    Register* lockedRegister() const { return m_lock ? m_lock->lockedRegister() : nullptr; }

private:
    CRegLockSemaphore* m_lock = nullptr;
};
