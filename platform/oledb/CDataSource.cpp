// Opening a provider's data source.
#include "CDataSource.h"

#include "Com.h"
#include "DataSource.h"
#include "ErrorObject.h"

HRESULT CDataSource::Open(LPCWSTR progId, const CDBPropSet* propertySets, ULONG count)
{
    SetErrorInfo(0, nullptr);
    CLSID clsid;
    const HRESULT status = CLSIDFromProgID(progId, &clsid);
    if (FAILED(status))
        return status;
    return Open(clsid, propertySets, count);
}

HRESULT CDataSource::Open(const CLSID& clsid, const CDBPropSet* propertySets, ULONG count)
{
    SetErrorInfo(0, nullptr);
    Close();
    std::shared_ptr<provider::DataSource> dataSource;
    HRESULT status = provider::DataSource::Create(clsid, &dataSource);
    if (FAILED(status))
        return status;
    if (propertySets) {
        status = dataSource->SetProperties(propertySets, count);
        if (FAILED(status))
            return status;
    }
    status = dataSource->Initialize();
    if (FAILED(status))
        return status;
    m_spInit = std::move(dataSource);
    return S_OK;
}

void CDataSource::Close() { m_spInit.reset(); }
