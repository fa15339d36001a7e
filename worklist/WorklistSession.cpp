// Opening sessions on the worklist database.
#include "WorklistSession.h"

#include "oledb/CTableDefinition.h"

#include <map>
#include <set>

CDBPropSet WorklistDataSourceProperties(const WorklistPlace& place)
{
    CDBPropSet init(DBPROPSET_DBINIT);
    init.AddProperty(DBPROP_INIT_DATASOURCE, place.strDatabasePath);
    return init;
}

CDBPropSet UserDataSourceProperties(const WorklistPlace& place)
{
    CDBPropSet init(DBPROPSET_DBINIT);
    init.AddProperty(DBPROP_AUTH_CACHE_AUTHINFO, true);
    init.AddProperty(DBPROP_AUTH_ENCRYPT_PASSWORD, false);
    init.AddProperty(DBPROP_AUTH_MASK_PASSWORD, false);
    init.AddProperty(DBPROP_AUTH_PASSWORD, L"");
    init.AddProperty(DBPROP_AUTH_PERSIST_ENCRYPTED, false);
    init.AddProperty(DBPROP_AUTH_PERSIST_SENSITIVE_AUTHINFO, false);
    init.AddProperty(DBPROP_AUTH_USERID, L"Admin");
    init.AddProperty(DBPROP_INIT_DATASOURCE, place.strDatabasePath);
    init.AddProperty(DBPROP_INIT_MODE, DB_MODE_SHARE_DENY_NONE);
    init.AddProperty(DBPROP_INIT_PROMPT, DBPROMPT_NOPROMPT);
    init.AddProperty(DBPROP_INIT_PROVIDERSTRING, L";COUNTRY=0;CP=1252;LANGID=0x0409");
    init.AddProperty(DBPROP_INIT_LCID, LONG{1033});
    return init;
}

CDBPropSet ChangeableRowsetProperties()
{
    CDBPropSet rowset(DBPROPSET_ROWSET);
    rowset.AddProperty(DBPROP_IRowsetChange, true);
    rowset.AddProperty(DBPROP_UPDATABILITY, DBPROPVAL_UP_CHANGE | DBPROPVAL_UP_DELETE | DBPROPVAL_UP_INSERT);
    return rowset;
}

HRESULT OpenWorklistSession(CSession& session, const WorklistPlace& place, const CDBPropSet& init)
{
    CDataSource dataSource;
    const HRESULT status = dataSource.Open(place.strProvider.c_str(), &init);
    if (FAILED(status))
        return status;
    return session.Open(dataSource);
}

DBCOLUMNDESC TableColumn(const wchar_t* name, DBTYPE type, ULONG size) { return {L"", {DBKIND_NAME, name}, type, size}; }

namespace {

// The tables each open session found or made. A closed session's entry is dropped at the next look;
// until then it keeps its provider's address from being taken by a new session.
using KnownTables = std::map<std::weak_ptr<provider::Database>, std::set<std::wstring>, std::owner_less<>>;

KnownTables& SessionsTables()
{
    static KnownTables known;
    std::erase_if(known, [](const auto& session) { return session.first.expired(); });
    return known;
}

} // namespace

HRESULT MakeMissingTable(const CSession& session, const wchar_t* table, std::span<const DBCOLUMNDESC> columns,
                         std::span<const AddedColumn> added)
{
    if (session.m_spOpenRowset && SessionsTables()[session.m_spOpenRowset].contains(table))
        return S_OK;
    CTableDefinition definition;
    HRESULT status = definition.Open(session);
    if (SUCCEEDED(status))
        status = definition.CreateTable({DBKIND_NAME, table}, static_cast<ULONG>(columns.size()), columns.data());
    if (status == DB_E_DUPLICATETABLEID)
        status = AddMissingColumns(session, table, added);
    if (SUCCEEDED(status))
        SessionsTables()[session.m_spOpenRowset].insert(table);
    return status;
}

void ForgetKnownTables(const CSession& session)
{
    if (session.m_spOpenRowset)
        SessionsTables().erase(session.m_spOpenRowset);
}

HRESULT AddMissingColumns(const CSession& session, const wchar_t* table, std::span<const AddedColumn> columns)
{
    CTableDefinition definition;
    HRESULT status = definition.Open(session);
    for (const AddedColumn& added : columns) {
        if (FAILED(status))
            return status;
        DBCOLUMNDESC column{};
        column.dbcid = DBID{DBKIND_NAME, added.name};
        column.wType = added.type;
        column.ulColumnSize = added.size;
        status = definition.AddColumn(DBID{DBKIND_NAME, table}, column);
        if (status == DB_E_DUPLICATECOLUMNID)
            status = S_OK;
    }
    return status;
}
