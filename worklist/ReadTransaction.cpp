// Starting and ending a reading transaction.
#include "ReadTransaction.h"

#include "oledb/ErrorObject.h"

namespace {

// A failure still to be shown must outlive the reading: starting and ending clear error records.
template <class Call>
HRESULT KeepingErrorRecords(Call call)
{
    std::shared_ptr<ErrorObject> failure;
    GetErrorInfo(0, &failure);
    const HRESULT status = call();
    SetErrorInfo(0, std::move(failure));
    return status;
}

} // namespace

ReadTransaction::ReadTransaction(const CSession& session)
    : m_session(session), m_open(SUCCEEDED(KeepingErrorRecords(
                              [&session] { return session.StartTransaction(ISOLATIONLEVEL_REPEATABLEREAD); })))
{
}

ReadTransaction::~ReadTransaction()
{
    if (m_open)
        KeepingErrorRecords([this] { return m_session.Abort(); });
}
