// Attaching a register reader to a lock.
#include "CDopRegister.h"

SHORT CDopRegister::SetLockAccess(CRegLockSemaphore* lock)
{
    if (!lock || !lock->lockedRegister())
        return REG_ERR_NOT_LOCKED;
    m_lock = lock;
    return REG_OK;
}
