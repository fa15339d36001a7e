// One multi-row edit of a table, made as one through its session's local transaction: aborted
// when the object goes away uncommitted, so an early return never leaves half an edit behind.
#pragma once

#include "oledb/CSession.h"

class EditTransaction {
public:
    explicit EditTransaction(const CSession& session);
    ~EditTransaction();
    EditTransaction(const EditTransaction&) = delete;
    EditTransaction& operator=(const EditTransaction&) = delete;

    // The status of the start; nothing may be written when it failed.
    HRESULT Started() const { return m_started; }
    HRESULT Commit();

private:
    const CSession& m_session;
    HRESULT m_started;
    bool m_open;
};
