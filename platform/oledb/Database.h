// The provider's connection to one worklist file. It opens an existing file only, in write-ahead
// logging mode with a busy timeout, so that several sessions and processes share the file; every
// statement commits at once unless the session's transaction is open. Failures of the engine
// become error records here and nowhere else.
#pragma once

#include "OleDb.h"
#include "Statement.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct sqlite3;

namespace provider {

class Database {
public:
    // windowsPath names an existing database file; readOnly opens it for reading only.
    static HRESULT Open(const std::wstring& windowsPath, bool readOnly, std::shared_ptr<Database>* database);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Prepares sql; a failure leaves its error record (subject names the table the call is about).
    HRESULT Prepare(const std::string& sql, const IID& iid, const std::wstring& subject, Statement* statement);
    // Runs a statement that returns no rows.
    HRESULT Execute(const std::string& sql, const IID& iid, const std::wstring& subject);
    // Steps a prepared statement that changes the file and resets it.
    HRESULT Write(Statement& statement, const IID& iid, const std::wstring& subject);
    // The session's local transaction. Starting one for writing takes the file's write lock at
    // once, so an edit never has to wait for it halfway through; one for reading takes none.
    HRESULT StartTransaction(bool forWriting);
    HRESULT Commit();
    HRESULT Abort();

    // Turns the engine's result code into the status and error record the consumer sees.
    HRESULT Fail(int code, const IID& iid, const std::wstring& subject);

    bool TableExists(std::wstring_view table);
    bool ColumnExists(const std::string& table, const std::string& column);
    // The width a text column was declared with ("VARCHAR(50)" holds 50 characters); none for
    // other columns.
    std::optional<ULONG> TextWidth(const std::string& table, const std::string& column);

    const std::wstring& Path() const { return m_path; }
    sqlite3* Handle() const { return m_db; }

    // An identifier in double quotes, any quote inside doubled: any name is a valid name.
    static std::string Quote(std::string_view identifier);
    static std::string Quote(std::wstring_view identifier);

private:
    Database(sqlite3* db, std::wstring path) : m_db(db), m_path(std::move(path)) {}
    // The pages the file holds, written ones in the log included; -1 when they cannot be read.
    std::int64_t PageCount();
    // Refuses a write when the engine has rolled the open transaction back by itself after a
    // failure: the write would otherwise commit alone, outside the edit it belongs to.
    HRESULT checkTransactionAlive(const IID& iid);

    sqlite3* m_db;
    std::wstring m_path;
    bool m_inTransaction = false;
};

} // namespace provider
