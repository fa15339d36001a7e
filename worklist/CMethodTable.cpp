// Opening, creating and dropping method tables.
#include "CMethodTable.h"

#include "WorklistSession.h"

#include "oledb/CTableDefinition.h"

#include <iterator>

namespace {

// A table name quoted for the provider's dialect: any name the user typed is one table name.
std::wstring QuotedName(const std::wstring& name)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : name)
        quoted += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
    return quoted + L"\"";
}

DBCOLUMNDESC column(const wchar_t* name, DBTYPE type)
{
    return {L"", {DBKIND_NAME, name}, type, type == DBTYPE_WSTR ? 255u : 0u};
}

} // namespace

HRESULT CMethodTable::OpenDataSource()
{
    return OpenWorklistSession(m_session, m_place, WorklistDataSourceProperties(m_place));
}

HRESULT CMethodTable::Open(const std::wstring& name)
{
    HRESULT status = OpenDataSource();
    if (SUCCEEDED(status)) {
        m_strTableName = name;
        status = Requery();
    }
    return status;
}

HRESULT CMethodTable::Requery()
{
    const CDBPropSet rowset = ChangeableRowsetProperties();
    const std::wstring command = L" SELECT * FROM " + QuotedName(m_strTableName) + L" ORDER BY aaaID ";
    return CCommand::Open(m_session, command.c_str(), &rowset);
}

HRESULT CMethodTable::OpenRowsToRead(const std::wstring& name, LONG onlyState)
{
    const std::wstring where = onlyState ? L" WHERE \"Run State\" = " + std::to_wstring(onlyState) : L"";
    const std::wstring command = L" SELECT * FROM " + QuotedName(name) + where + L" ORDER BY aaaID ";
    return CCommand::Open(m_session, command.c_str());
}

HRESULT CMethodTable::OpenTableDefinition(CTableDefinition& definition)
{
    HRESULT status = m_session.m_spOpenRowset ? S_OK : OpenDataSource();
    if (SUCCEEDED(status))
        status = definition.Open(m_session);
    if (FAILED(status))
        CloseAll();
    return status;
}

HRESULT CMethodTable::CreateMethodTable(const std::wstring& name)
{
    CTableDefinition definition;
    HRESULT status = OpenTableDefinition(definition);
    if (FAILED(status))
        return status;
    status = CreateTable(definition, name);
    CloseAll();
    return status;
}

HRESULT CMethodTable::CreateTable(CTableDefinition& definition, const std::wstring& name)
{
    const DBCOLUMNDESC columns[] = {
        column(L"aaaID", DBTYPE_I4),         column(L"Method Name", DBTYPE_WSTR), column(L"Data File", DBTYPE_WSTR),
        column(L"Comments", DBTYPE_WSTR),    column(L"Run State", DBTYPE_I4),     column(L"Counter", DBTYPE_I4),
        column(L"Operator", DBTYPE_WSTR),    column(L"Prefix", DBTYPE_WSTR),      column(L"Sub-Folder", DBTYPE_WSTR),
        column(L"SysMethPath", DBTYPE_WSTR), column(L"StartTime", DBTYPE_I4),     column(L"EndTime", DBTYPE_I4),
        column(L"ErrMessage", DBTYPE_WSTR),
    };
    return definition.CreateTable({DBKIND_NAME, name}, static_cast<ULONG>(std::size(columns)), columns);
}

HRESULT CMethodTable::DropMethodTable(const std::wstring& name)
{
    CTableDefinition definition;
    HRESULT status = OpenTableDefinition(definition);
    if (FAILED(status))
        return status;
    status = definition.DropTable({DBKIND_NAME, name});
    CloseAll();
    return status;
}

void CMethodTable::CloseAll()
{
    Close();
    m_session.Close();
}
