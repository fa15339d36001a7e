// The data sources of the Jet provider stand-in and of the PostgreSQL provider.
#include "DataSource.h"

#include "ErrorObject.h"
#include "PgDatabase.h"
#include "SqliteDatabase.h"
#include "kernel/Text.h"

namespace provider {

namespace {

const std::wstring* textOf(const DBPROP& property) { return std::get_if<std::wstring>(&property.vValue); }

} // namespace

HRESULT DataSource::Create(const CLSID& clsid, std::shared_ptr<DataSource>* dataSource)
{
    dataSource->reset();
    if (clsid != CLSID_JETOLEDB_4_00 && clsid != CLSID_POSTGRESQL_OLEDB)
        return REGDB_E_CLASSNOTREG;
    dataSource->reset(new DataSource(clsid));
    return S_OK;
}

HRESULT DataSource::SetProperties(const CDBPropSet* propertySets, ULONG count)
{
    if (m_database)
        return ReportError(DB_E_ALREADYINITIALIZED, IID_IDBProperties, L"The data source is already open.");
    for (ULONG set = 0; set < count; ++set) {
        if (propertySets[set].guidPropertySet != DBPROPSET_DBINIT)
            return ReportError(DB_E_ERRORSOCCURRED, IID_IDBProperties,
                               L"Only initialisation properties can be set on a data source.");
        for (const DBPROP& property : propertySets[set].rgProperties) {
            const std::wstring* text = textOf(property);
            if (property.dwPropertyID == DBPROP_INIT_DATASOURCE && text)
                m_path = *text;
            else if (property.dwPropertyID == DBPROP_AUTH_USERID && text)
                m_user = *text;
            else if (property.dwPropertyID == DBPROP_AUTH_PASSWORD && text)
                m_password = *text;
            else if (property.dwPropertyID == DBPROP_INIT_MODE && std::holds_alternative<LONG>(property.vValue))
                m_readOnly = (std::get<LONG>(property.vValue) & 0x03) == DB_MODE_READ;
            // The other initialisation properties (prompt, locale, provider string, how
            // authentication is kept) change nothing for a local file.
        }
    }
    return S_OK;
}

HRESULT DataSource::Initialize()
{
    if (m_database)
        return ReportError(DB_E_ALREADYINITIALIZED, IID_IDBInitialize, L"The data source is already open.");
    if (m_path.empty())
        return ReportError(E_FAIL, IID_IDBInitialize, L"No database file was named.");
    // The server checks its own accounts.
    if (m_clsid == CLSID_POSTGRESQL_OLEDB)
        return PgDatabase::Open(m_path, m_user, m_password, &m_database);
    // Without a workgroup file the only account is Admin with no password.
    if (!EqualsNoCase(m_user, L"Admin") || !m_password.empty())
        return ReportError(DB_SEC_E_AUTH_FAILED, IID_IDBInitialize, L"Not a valid account name or password.");
    return SqliteDatabase::Open(m_path, m_readOnly, &m_database);
}

HRESULT DataSource::CreateSession(std::shared_ptr<Database>* session) const
{
    if (!m_database)
        return ReportError(E_UNEXPECTED, IID_IDBCreateSession, L"The data source has not been opened.");
    *session = m_database;
    return S_OK;
}

} // namespace provider
