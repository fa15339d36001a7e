// A session's locks on the worklist server, the PostgreSQL provider's own interface: a lock is
// held until it is let go or its session ends, however the program ends, and every session can
// read who holds it. The file provider keeps none.
#pragma once

#include "CSession.h"

#include <memory>
#include <string>

class CSessionLock {
public:
    // E_NOINTERFACE when the session's provider keeps no locks.
    HRESULT Open(const CSession& session);
    // *taken is TRUE when this session holds key now; holder names it to the others.
    HRESULT TryLock(LONG key, const std::wstring& holder, BOOL* taken);
    HRESULT Unlock(LONG key);
    // S_FALSE, with no holder, when no session holds key.
    HRESULT GetHolder(LONG key, std::wstring* holder);

private:
    std::shared_ptr<provider::Database> m_spDatabase;
};
