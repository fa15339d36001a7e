// A lock on a named register, held until Unlock or destruction. A write lock on a name that no
// register has makes an empty temporary register.
#pragma once

#include "RegApi.h"
#include "Register.h"

class CRegLockSemaphore {
public:
    CRegLockSemaphore() = default;
    ~CRegLockSemaphore();
    CRegLockSemaphore(const CRegLockSemaphore&) = delete;
    CRegLockSemaphore& operator=(const CRegLockSemaphore&) = delete;

    // window and wait are kept for the caller's sake: one thread never waits for a lock, so a
    // taken lock answers REG_ERR_LOCKED at once. REG_ERR_NO_REGISTER when LockRead finds none.
    SHORT LockRead(LPCWSTR registerName, HWND window, int wait);
    SHORT LockWrite(LPCWSTR registerName, HWND window, int wait);
    // REG_ERR_NOT_LOCKED when nothing is held.
    SHORT Unlock();
    // REG_ERR_NOT_LOCKED (and a zero descriptor) when nothing is held.
    SHORT GetRegDescStruct(REGDESCSTRUCT* desc) const;

    // The locked register, null when nothing is held or it is gone.
    Register* lockedRegister() const;

private:
    enum class Kind { None, Read, Write };
    HREGISTER m_handle = 0;
    Kind m_kind = Kind::None;

    SHORT lock(LPCWSTR registerName, Kind kind);
};
