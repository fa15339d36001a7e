// The session locks of the worklist server.
#include "CSessionLock.h"

#include "Database.h"
#include "ErrorObject.h"

namespace {

HRESULT notOpen() { return ReportError(E_UNEXPECTED, IID_ISessionLock, L"The session lock is not open."); }

} // namespace

HRESULT CSessionLock::Open(const CSession& session)
{
    SetErrorInfo(0, nullptr);
    m_spDatabase.reset();
    if (!session.m_spOpenRowset || !session.m_spOpenRowset->KeepsSessionLocks())
        return ReportError(E_NOINTERFACE, IID_ISessionLock, L"The worklist's provider keeps no locks for a session.");
    m_spDatabase = session.m_spOpenRowset;
    return S_OK;
}

HRESULT CSessionLock::TryLock(LONG key, const std::wstring& holder, BOOL* taken)
{
    SetErrorInfo(0, nullptr);
    *taken = FALSE;
    if (!m_spDatabase)
        return notOpen();
    bool held = false;
    const HRESULT status = m_spDatabase->TryLock(key, holder, &held);
    *taken = held ? TRUE : FALSE;
    return status;
}

HRESULT CSessionLock::Unlock(LONG key)
{
    SetErrorInfo(0, nullptr);
    return m_spDatabase ? m_spDatabase->Unlock(key) : notOpen();
}

HRESULT CSessionLock::Heartbeat(LONG key, BOOL alive)
{
    SetErrorInfo(0, nullptr);
    return m_spDatabase ? m_spDatabase->Heartbeat(key, alive != FALSE) : notOpen();
}

HRESULT CSessionLock::GetLastHeartbeat(LONG key, std::wstring* holder, LONG* secondsAgo)
{
    SetErrorInfo(0, nullptr);
    holder->clear();
    *secondsAgo = 0;
    return m_spDatabase ? m_spDatabase->LastHeartbeat(key, holder, secondsAgo) : notOpen();
}

HRESULT CSessionLock::CheckHeld(LONG key)
{
    SetErrorInfo(0, nullptr);
    return m_spDatabase ? m_spDatabase->HoldsLock(key) : notOpen();
}

HRESULT CSessionLock::GetHolder(LONG key, std::wstring* holder)
{
    SetErrorInfo(0, nullptr);
    holder->clear();
    return m_spDatabase ? m_spDatabase->LockHolder(key, holder) : notOpen();
}
