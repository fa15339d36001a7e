// Starting, committing and aborting an edit's transaction.
#include "EditTransaction.h"

#include "AuditTrail.h"

#include "oledb/ErrorObject.h"

EditTransaction::EditTransaction(const CSession& session)
    : m_session(session), m_started(session.StartTransaction()), m_open(SUCCEEDED(m_started))
{
}

EditTransaction::~EditTransaction()
{
    if (!m_open)
        return;
    // The failure that ended the edit is still to be shown: the abort must not take its records.
    std::shared_ptr<ErrorObject> failure;
    GetErrorInfo(0, &failure);
    m_session.Abort();
    AuditTrail::TransactionEnded(m_session, false);
    SetErrorInfo(0, std::move(failure));
}

HRESULT EditTransaction::Commit()
{
    m_open = false;
    const HRESULT status = m_session.Commit();
    AuditTrail::TransactionEnded(m_session, SUCCEEDED(status));
    return status;
}
