// Sessions on a data source.
#include "CSession.h"

#include "Database.h"
#include "DataSource.h"
#include "ErrorObject.h"

HRESULT CSession::Open(const CDataSource& dataSource)
{
    SetErrorInfo(0, nullptr);
    Close();
    if (!dataSource.m_spInit)
        return ReportError(E_UNEXPECTED, IID_IDBCreateSession, L"The data source has not been opened.");
    return dataSource.m_spInit->CreateSession(&m_spOpenRowset);
}

void CSession::Close() { m_spOpenRowset.reset(); }

namespace {

HRESULT notOpen() { return ReportError(E_UNEXPECTED, IID_ITransactionLocal, L"The session is not open."); }

} // namespace

HRESULT CSession::StartTransaction(ISOLEVEL isoLevel) const
{
    SetErrorInfo(0, nullptr);
    return m_spOpenRowset ? m_spOpenRowset->StartTransaction(isoLevel != ISOLATIONLEVEL_REPEATABLEREAD) : notOpen();
}

HRESULT CSession::Commit() const
{
    SetErrorInfo(0, nullptr);
    return m_spOpenRowset ? m_spOpenRowset->Commit() : notOpen();
}

HRESULT CSession::Abort() const
{
    SetErrorInfo(0, nullptr);
    return m_spOpenRowset ? m_spOpenRowset->Abort() : notOpen();
}

HRESULT CSession::WaitForLocks(BOOL bWait) const
{
    SetErrorInfo(0, nullptr);
    return m_spOpenRowset ? m_spOpenRowset->WaitForLocks(bWait != FALSE) : notOpen();
}

HRESULT CSession::CheckInPlace() const
{
    SetErrorInfo(0, nullptr);
    return m_spOpenRowset ? m_spOpenRowset->CheckInPlace(IID_IRowsetChange) : notOpen();
}
