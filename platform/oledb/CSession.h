// A session on an open data source: the object through which rows are selected and tables created
// and dropped. It keeps the provider's data source alive after the CDataSource is gone.
#pragma once

#include "CDataSource.h"

#include <memory>

namespace provider {
class Database;
}

class CSession {
public:
    HRESULT Open(const CDataSource& dataSource);
    void Close();

    // The session's local transaction: its writes are seen at once by the session itself and by
    // the others only when committed, all together. Closing the session aborts an open one.
    // Transactions do not nest (XACT_E_XTIONEXISTS); the engine isolates more strictly than any
    // level asked for. ISOLATIONLEVEL_REPEATABLEREAD is for reading many rows as one: it takes no
    // write lock, so other sessions write meanwhile, and its rows stay as they were first read.
    HRESULT StartTransaction(ISOLEVEL isoLevel = ISOLATIONLEVEL_READCOMMITTED) const;
    HRESULT Commit() const;
    HRESULT Abort() const;
    // A write of the session waits a while for another session's or program's lock, as from the
    // start, or fails at once as locked: a retry from the message loop must not hold it up.
    HRESULT WaitForLocks(BOOL bWait) const;
    // Whether the session still writes into the worklist its data source named: a file deleted,
    // renamed away or replaced since it was opened fails, with an error record that says so.
    HRESULT CheckInPlace() const;

    // Empty until the session is opened.
    std::shared_ptr<provider::Database> m_spOpenRowset;
};
