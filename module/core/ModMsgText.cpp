// Reads the host's message under a read lock that is held only for this call.
#include "ModMsgText.h"

#include "orvane/CDopNdr.h"
#include "orvane/CRegLockSemaphore.h"

std::wstring ModMsgText(LPCWSTR registerName)
{
    std::wstring text;
    CRegLockSemaphore lock;
    if (lock.LockRead(registerName, nullptr, 1) == REG_OK) {
        CDopNdr ndr;
        if (ndr.SetLockAccess(&lock) == REG_OK && ndr.GetNthObj(1) == REG_OK)
            ndr.GetNdrString(L"ModMsgText", &text);
    }
    lock.Unlock();
    return text;
}
