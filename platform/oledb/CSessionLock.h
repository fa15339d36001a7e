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
    // S_OK while this session holds key, S_FALSE when it does not: one short question to the
    // server, which opens a lost connection again and takes its locks again (failing when another
    // session took one meanwhile).
    HRESULT CheckHeld(LONG key);
    // The holder of key lives (or, with alive FALSE, let go): a record on the server that a
    // restart of the server, which drops every lock, keeps.
    HRESULT Heartbeat(LONG key, BOOL alive);
    // S_FALSE, with no holder, when no holder of key left a heartbeat; otherwise the holder and
    // how many seconds ago by the server's clock, from its start when that came later.
    HRESULT GetLastHeartbeat(LONG key, std::wstring* holder, LONG* secondsAgo);

private:
    std::shared_ptr<provider::Database> m_spDatabase;
};
