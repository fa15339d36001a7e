// Sessions on a data source.
#include "CSession.h"

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
