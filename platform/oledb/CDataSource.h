// The consumer's data source: finds the provider by its programmatic identifier, hands it the
// initialisation properties and opens it.
#pragma once

#include "CDBPropSet.h"

#include <memory>

namespace provider {
class DataSource;
}

class CDataSource {
public:
    HRESULT Open(LPCWSTR progId, const CDBPropSet* propertySets = nullptr, ULONG count = 1);
    HRESULT Open(const CLSID& clsid, const CDBPropSet* propertySets = nullptr, ULONG count = 1);
    void Close();

    std::shared_ptr<provider::DataSource> m_spInit;
};
