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

    // Empty until the session is opened.
    std::shared_ptr<provider::Database> m_spOpenRowset;
};
