// The provider's data source object: takes the initialisation properties, opens the file or
// connects to the server when it is initialised, and hands out sessions that keep it alive.
#pragma once

#include "CDBPropSet.h"
#include "Database.h"

#include <memory>

namespace provider {

class DataSource {
public:
    // The in-process server of a class: REGDB_E_CLASSNOTREG for any class but the Jet provider's
    // and the PostgreSQL provider's.
    static HRESULT Create(const CLSID& clsid, std::shared_ptr<DataSource>* dataSource);

    HRESULT SetProperties(const CDBPropSet* propertySets, ULONG count);
    HRESULT Initialize();
    HRESULT CreateSession(std::shared_ptr<Database>* session) const;

private:
    explicit DataSource(const CLSID& clsid) : m_clsid(clsid) {}

    CLSID m_clsid;
    // The file's path, or the server connection.
    std::wstring m_path;
    bool m_readOnly = false;
    std::wstring m_user = L"Admin";
    std::wstring m_password;
    std::shared_ptr<Database> m_database;
};

} // namespace provider
