// Making and filling the worklist on a server through the PostgreSQL provider.
#include "ServerWorklist.h"

#include "DeliveredDatabase.h"
#include "WorklistFile.h"

#include "kernel/Text.h"
#include "oledb/CDBErrorInfo.h"
#include "oledb/CSession.h"
#include "oledb/Database.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// The description of the provider's last failure.
std::string lastFailure()
{
    CDBErrorInfo errors;
    ULONG count = 0;
    std::wstring description;
    if (FAILED(errors.GetErrorRecords(&count)) || count == 0 ||
        FAILED(errors.GetAllErrorInfo(0, 1033, &description)))
        return "the worklist server failed";
    return WideToUtf8(description);
}

bool openServer(const std::wstring& connection, CSession& session, std::string& error)
{
    CDBPropSet init(DBPROPSET_DBINIT);
    init.AddProperty(DBPROP_INIT_DATASOURCE, connection);
    CDataSource dataSource;
    if (SUCCEEDED(dataSource.Open(L"PostgreSQL.1", &init)) && SUCCEEDED(session.Open(dataSource)))
        return true;
    error = lastFailure();
    return false;
}

bool run(provider::Database& server, const std::string& sql, const std::wstring& table, std::string& error)
{
    if (SUCCEEDED(server.Execute(sql, IID_ITableDefinition, table)))
        return true;
    error = lastFailure();
    return false;
}

bool isDelivered(const std::string& table)
{
    return std::ranges::any_of(DeliveredTables(), [&](const DeliveredTable& delivered) {
        return EqualsNoCase(table, delivered.name);
    });
}

// Whether the server's table holds no row; a table that cannot be read is not taken for empty.
bool isEmpty(provider::Database& server, const std::string& table)
{
    std::unique_ptr<provider::Statement> first;
    return SUCCEEDED(server.Prepare("SELECT 1 FROM " + provider::Database::Quote(table) + " LIMIT 1", IID_ICommand,
                                    Utf8ToWide(table), &first)) &&
           first->step() == provider::Statement::Done;
}

// Inserts the file's rows into the server's table, handles kept, then reads them back and
// compares each value.
bool copyRows(provider::Database& server, const FileTable& table,
              const WorklistFile::Rows& rows, std::string& error)
{
    const std::wstring name = Utf8ToWide(table.name);
    std::string names = "rowid";
    std::string marks = "?";
    for (const std::string& column : table.columns) {
        names += ", " + provider::Database::Quote(column);
        marks += ", ?";
    }
    const std::string quoted = provider::Database::Quote(table.name);
    std::unique_ptr<provider::Statement> insert;
    if (FAILED(server.Prepare("INSERT INTO " + quoted + " (" + names + ") VALUES (" + marks + ")",
                              IID_IRowsetChange, name, &insert))) {
        error = lastFailure();
        return false;
    }
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (row[i])
                insert->bind(static_cast<int>(i) + 1, Utf8ToWide(*row[i]));
            else
                insert->bindNull(static_cast<int>(i) + 1);
        }
        if (FAILED(server.Write(*insert, IID_IRowsetChange, name))) {
            error = lastFailure();
            return false;
        }
    }
    // Rows inserted later by the module take handles after the copied ones.
    if (!rows.empty() &&
        !run(server, "ALTER TABLE " + quoted + " ALTER COLUMN rowid RESTART WITH " +
                         std::to_string(std::stoll(*rows.back()[0]) + 1), name, error))
        return false;
    std::unique_ptr<provider::Statement> check;
    if (FAILED(server.Prepare("SELECT " + names + " FROM " + quoted + " ORDER BY rowid", IID_ICommand, name, &check))) {
        error = lastFailure();
        return false;
    }
    std::size_t index = 0;
    wchar_t value[512];
    for (; check->step() == provider::Statement::Row; ++index) {
        const bool extra = index >= rows.size();
        for (std::size_t i = 0; !extra && i < rows[index].size(); ++i) {
            check->columnText(static_cast<int>(i), value, std::size(value));
            const bool same = rows[index][i] ? !check->columnIsNull(static_cast<int>(i)) &&
                                                   WideToUtf8(value) == *rows[index][i]
                                             : check->columnIsNull(static_cast<int>(i));
            if (!same) {
                error = "row " + std::to_string(index + 1) + " of " + table.name + " differs on the server in \"" +
                        (i ? table.columns[i - 1] : "rowid") + "\"";
                return false;
            }
        }
        if (extra)
            break;
    }
    if (index != rows.size()) {
        error = table.name + " holds " + std::to_string(index) + " rows on the server instead of " +
                std::to_string(rows.size());
        return false;
    }
    return true;
}

} // namespace

bool InitServerWorklist(const std::wstring& connection, std::string& error)
{
    CSession session;
    if (!openServer(connection, session, error))
        return false;
    provider::Database& server = *session.m_spOpenRowset;
    for (const DeliveredTable& table : DeliveredTables()) {
        if (server.TableExists(Utf8ToWide(table.name)))
            continue;
        if (!run(server, std::string("CREATE TABLE \"") + table.name + "\" (" + server.RowIdDeclaration() + table.columns + ")",
                 Utf8ToWide(table.name), error))
            return false;
    }
    return true;
}

bool CopyWorklistToServer(const std::filesystem::path& databaseFile, const std::wstring& connection, long* rows,
                          std::string& error)
{
    *rows = 0;
    WorklistFile file(databaseFile);
    if (!file.error().empty()) {
        error = file.error();
        return false;
    }
    CSession session;
    if (!openServer(connection, session, error))
        return false;
    provider::Database& server = *session.m_spOpenRowset;
    const std::vector<FileTable> tables = file.tables();
    // The delivered tables that --init-server made, still empty, give way to the file's.
    std::vector<std::string> madeByInit;
    for (const FileTable& table : tables) {
        if (!server.TableExists(Utf8ToWide(table.name)))
            continue;
        if (!isDelivered(table.name) || !isEmpty(server, table.name)) {
            error = "the server holds a table \"" + table.name + "\" already: copy onto an empty database";
            return false;
        }
        madeByInit.push_back(table.name);
    }
    if (FAILED(session.StartTransaction())) {
        error = lastFailure();
        return false;
    }
    for (const FileTable& table : tables) {
        const auto tableRows = file.rows(table);
        const std::string quoted = provider::Database::Quote(table.name);
        const std::wstring name = Utf8ToWide(table.name);
        if ((std::ranges::find(madeByInit, table.name) != madeByInit.end() &&
             !run(server, "DROP TABLE " + quoted, name, error)) ||
            !run(server, "CREATE TABLE " + quoted + " (" + server.RowIdDeclaration() + table.declarations + ")", name,
                 error) ||
            !copyRows(server, table, tableRows, error)) {
            session.Abort();
            return false;
        }
        *rows += static_cast<long>(tableRows.size());
    }
    if (FAILED(session.Commit())) {
        error = lastFailure();
        return false;
    }
    return true;
}
