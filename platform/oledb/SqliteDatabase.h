// The provider's connection to one worklist file. It opens an existing file only, in write-ahead
// logging mode with a busy timeout, so that several sessions and processes share the file; every
// statement commits at once unless the session's transaction is open.
#pragma once

#include "Database.h"
#include "SqliteStatement.h"

#include <cstdint>
#include <memory>
#include <string>

struct sqlite3;

namespace provider {

class SqliteDatabase : public Database {
public:
    // windowsPath names an existing database file; readOnly opens it for reading only.
    static HRESULT Open(const std::wstring& windowsPath, bool readOnly, std::shared_ptr<Database>* database);
    ~SqliteDatabase() override;
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    HRESULT Prepare(const std::string& sql, const IID& iid, const std::wstring& subject,
                    std::unique_ptr<Statement>* statement) override;
    HRESULT Fail(int code, const IID& iid, const std::wstring& subject) override;

    bool TableExists(std::wstring_view table) override;
    bool ColumnExists(const std::string& table, const std::string& column) override;
    std::optional<ULONG> TextWidth(const std::string& table, const std::string& column) override;
    std::int64_t LastInsertedRow() override;
    std::int64_t ChangedRows() override;
    std::string RowIdDeclaration() const override { return {}; }
    const std::wstring& Path() const override { return m_path; }
    HRESULT WaitForLocks(bool wait) override;
    // The file held open is the file at the path: same device and inode, not deleted, renamed
    // away or replaced since it was opened.
    HRESULT CheckInPlace(const IID& iid) override;

protected:
    HRESULT Begin(bool forWriting) override;
    bool TransactionOpen() const override;
    // The engine's data version: another connection's commit moves it, this one's own do not.
    std::optional<std::int64_t> DataVersion() override;

private:
    SqliteDatabase(sqlite3* db, std::wstring path) : m_db(db), m_path(std::move(path)) {}
    // The pages the file holds, written ones in the log included; -1 when they cannot be read.
    std::int64_t PageCount();

    sqlite3* m_db;
    std::wstring m_path;
    // The device of the file at the path when it was opened.
    std::uint64_t m_device = 0;
    // Finalized with the connection; a statement still in use then finalizes itself.
    std::shared_ptr<IdleStatements> m_idle = std::make_shared<IdleStatements>();
    SqliteStatement m_dataVersion;
};

} // namespace provider
