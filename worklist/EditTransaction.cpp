// Starting, committing and aborting an edit's transaction.
#include "EditTransaction.h"

#include "AuditHead.h"
#include "KeptErrorRecords.h"
#include "WorklistSession.h"

EditTransaction::EditTransaction(const CSession& session)
    : m_session(session), m_started(session.StartTransaction()), m_open(SUCCEEDED(m_started))
{
}

EditTransaction::~EditTransaction()
{
    if (!m_open)
        return;
    // The failure that ended the edit is still to be shown: the abort must not take its records.
    const KeptErrorRecords failure;
    m_session.Abort();
    ForgetKnownTables(m_session);
    AuditHead::TransactionEnded(m_session, false);
}

HRESULT EditTransaction::Commit()
{
    m_open = false;
    const HRESULT status = m_session.Commit();
    if (FAILED(status))
        ForgetKnownTables(m_session);
    AuditHead::TransactionEnded(m_session, SUCCEEDED(status));
    return status;
}
