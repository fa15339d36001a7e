// Creating and dropping tables; every name is quoted, so any name the user types is a table name.
#include "CTableDefinition.h"

#include "Database.h"
#include "ErrorObject.h"

#include "kernel/Text.h"

#include <cwctype>

namespace {

// Jet's longest object name.
constexpr std::size_t longestName = 64;

HRESULT checkName(const DBID& id, HRESULT refusal, const wchar_t* what)
{
    const std::wstring& name = id.pwszName;
    bool valid = id.eKind == DBKIND_NAME && !name.empty() && name.size() <= longestName && name.front() != L' ';
    for (wchar_t c : name)
        valid = valid && !std::iswcntrl(static_cast<wint_t>(c));
    if (valid)
        return S_OK;
    return ReportError(refusal, IID_ITableDefinition,
                       L"'" + name + L"' is not a valid " + what +
                           L" name. Make sure that it is not empty, does not begin with a blank, holds no control "
                           L"characters and is not longer than 64 characters.");
}

HRESULT checkType(const DBCOLUMNDESC& column)
{
    if (column.wType != DBTYPE_I4 && column.wType != DBTYPE_WSTR)
        return ReportError(DB_E_BADTYPE, IID_ITableDefinition,
                           L"The column '" + column.dbcid.pwszName + L"' has a type the provider cannot store.");
    if (column.wType == DBTYPE_WSTR && column.ulColumnSize > 255)
        return ReportError(DB_E_BADTYPE, IID_ITableDefinition,
                           L"The text column '" + column.dbcid.pwszName + L"' is wider than 255 characters.");
    return S_OK;
}

std::string columnType(const DBCOLUMNDESC& column)
{
    if (column.wType == DBTYPE_I4)
        return "INTEGER";
    return "VARCHAR(" + std::to_string(column.ulColumnSize ? column.ulColumnSize : 255) + ")";
}

} // namespace

HRESULT CTableDefinition::Open(const CSession& session)
{
    SetErrorInfo(0, nullptr);
    m_spDatabase = session.m_spOpenRowset;
    if (!m_spDatabase)
        return ReportError(E_NOINTERFACE, IID_ITableDefinition, L"The session is not open.");
    return S_OK;
}

HRESULT CTableDefinition::CreateTable(const DBID& tableId, ULONG count, const DBCOLUMNDESC* columns)
{
    SetErrorInfo(0, nullptr);
    if (!m_spDatabase)
        return ReportError(E_UNEXPECTED, IID_ITableDefinition, L"The session is not open.");
    HRESULT status = checkName(tableId, DB_E_BADTABLEID, L"table");
    if (FAILED(status))
        return status;
    if (m_spDatabase->TableExists(tableId.pwszName))
        return ReportError(DB_E_DUPLICATETABLEID, IID_ITableDefinition,
                           L"Table '" + tableId.pwszName + L"' already exists.");
    std::string definition;
    for (ULONG i = 0; i < count; ++i) {
        status = checkName(columns[i].dbcid, DB_E_BADCOLUMNID, L"column");
        if (FAILED(status))
            return status;
        status = checkType(columns[i]);
        if (FAILED(status))
            return status;
        definition += (i ? ", " : "") + provider::Database::Quote(columns[i].dbcid.pwszName) + " " +
                      columnType(columns[i]);
    }
    status = m_spDatabase->Execute("CREATE TABLE " + provider::Database::Quote(tableId.pwszName) + " (" +
                                       m_spDatabase->RowIdDeclaration() + definition + ")",
                                   IID_ITableDefinition, tableId.pwszName);
    if (status == E_FAIL)
        return ReportError(DB_E_BADTABLEID, IID_ITableDefinition,
                           L"The table '" + tableId.pwszName + L"' cannot be created: a name is reserved or "
                           L"repeated.");
    return status;
}

HRESULT CTableDefinition::AddColumn(const DBID& tableId, const DBCOLUMNDESC& column)
{
    SetErrorInfo(0, nullptr);
    if (!m_spDatabase)
        return ReportError(E_UNEXPECTED, IID_ITableDefinition, L"The session is not open.");
    if (!m_spDatabase->TableExists(tableId.pwszName))
        return ReportError(DB_E_NOTABLE, IID_ITableDefinition,
                           L"The database engine cannot find the input table or query '" + tableId.pwszName + L"'.");
    HRESULT status = checkName(column.dbcid, DB_E_BADCOLUMNID, L"column");
    if (SUCCEEDED(status))
        status = checkType(column);
    if (FAILED(status))
        return status;
    if (m_spDatabase->ColumnExists(WideToUtf8(tableId.pwszName), WideToUtf8(column.dbcid.pwszName)))
        return ReportError(DB_E_DUPLICATECOLUMNID, IID_ITableDefinition,
                           L"The table '" + tableId.pwszName + L"' has a column '" + column.dbcid.pwszName + L"' already.");
    const std::string fill = column.wType == DBTYPE_I4 ? " NOT NULL DEFAULT 0" : " NOT NULL DEFAULT ''";
    return m_spDatabase->Execute("ALTER TABLE " + provider::Database::Quote(tableId.pwszName) + " ADD COLUMN " +
                                     provider::Database::Quote(column.dbcid.pwszName) + " " + columnType(column) + fill,
                                 IID_ITableDefinition, tableId.pwszName);
}

HRESULT CTableDefinition::DropTable(const DBID& tableId)
{
    SetErrorInfo(0, nullptr);
    if (!m_spDatabase)
        return ReportError(E_UNEXPECTED, IID_ITableDefinition, L"The session is not open.");
    if (!m_spDatabase->TableExists(tableId.pwszName))
        return ReportError(DB_E_NOTABLE, IID_ITableDefinition,
                           L"The database engine cannot find the input table or query '" + tableId.pwszName +
                               L"'. Make sure it exists and that its name is spelled correctly.");
    return m_spDatabase->Execute("DROP TABLE " + provider::Database::Quote(tableId.pwszName),
                                 IID_ITableDefinition, tableId.pwszName);
}
