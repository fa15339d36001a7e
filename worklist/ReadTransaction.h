// Many rows read as one: the session's rows read under one read lock of the file instead of one
// lock for each row, and alike from the first to the last. Inside an edit the edit's own
// transaction serves; the reading ends with the object.
#pragma once

#include "oledb/CSession.h"

class ReadTransaction {
public:
    explicit ReadTransaction(const CSession& session);
    ~ReadTransaction();
    ReadTransaction(const ReadTransaction&) = delete;
    ReadTransaction& operator=(const ReadTransaction&) = delete;

private:
    const CSession& m_session;
    bool m_open;
};
