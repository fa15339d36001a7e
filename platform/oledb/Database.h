// A provider's connection to one worklist: statements, the session's local transaction and what
// the tables hold. The SQLite file and the PostgreSQL server each give their own; failures of the
// engine become error records in Fail and nowhere else.
#pragma once

#include "OleDb.h"
#include "Statement.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace provider {

class Database {
public:
    virtual ~Database() = default;

    // Prepares sql; a failure leaves its error record (subject names the table the call is about).
    virtual HRESULT Prepare(const std::string& sql, const IID& iid, const std::wstring& subject,
                            std::unique_ptr<Statement>* statement) = 0;
    // Prepares the update of columns of one row by its handle: the columns' values are parameters
    // 1..n, the handle is n + 1. An engine may gather a run of such updates into one statement.
    virtual HRESULT PrepareRowUpdate(const std::string& table, const std::vector<std::string>& columns, const IID& iid,
                                     const std::wstring& subject, std::unique_ptr<Statement>* statement);
    // Runs a statement that returns no rows.
    HRESULT Execute(const std::string& sql, const IID& iid, const std::wstring& subject);
    // Steps a prepared statement that changes the worklist and resets it.
    HRESULT Write(Statement& statement, const IID& iid, const std::wstring& subject);
    // The session's local transaction. Starting one for writing makes sure an edit never has to
    // wait for another writer halfway through; one for reading takes no write lock.
    HRESULT StartTransaction(bool forWriting);
    HRESULT Commit();
    HRESULT Abort();
    // Whether the session holds a transaction for writing: no other edit changes the rows until it
    // ends.
    bool InWriteTransaction() const { return m_inTransaction && m_forWriting; }
    // Counts the session's writes that may have changed table: its rows written through Write,
    // and every Execute and abort. What a rowset read stays as it was while the count moves only
    // with its own writes and no other session changed the worklist.
    std::uint64_t Writes(std::wstring_view table) const;
    // Where table stands for what this session reads: equal marks mean that nothing but this
    // session's counted writes came between. Within a transaction the session sees nobody else's
    // writes (a read transaction reads one snapshot); outside one, an engine that cannot tell when
    // another session committed gives none.
    struct ChangeMark {
        std::uint64_t writes;
        std::int64_t version;
        bool operator==(const ChangeMark&) const = default;
    };
    std::optional<ChangeMark> Changes(std::wstring_view table);

    // Turns the engine's result code into the status and error record the consumer sees.
    virtual HRESULT Fail(int code, const IID& iid, const std::wstring& subject) = 0;

    virtual bool TableExists(std::wstring_view table) = 0;
    virtual bool ColumnExists(const std::string& table, const std::string& column) = 0;
    // The width a text column was declared with ("VARCHAR(50)" holds 50 characters); none for
    // other columns.
    virtual std::optional<ULONG> TextWidth(const std::string& table, const std::string& column) = 0;
    // The row handle of the row the last write inserted, and how many rows it changed.
    virtual std::int64_t LastInsertedRow() = 0;
    virtual std::int64_t ChangedRows() = 0;
    // The handle of a row about to be inserted into table (as the engine names it), given ahead so
    // that the insert need not wait for the engine's answer; none where the insert numbers the row.
    virtual HRESULT RowIdAhead(const std::string&, std::optional<std::int64_t>* id)
    {
        id->reset();
        return S_OK;
    }
    // What a created table declares before its columns so that its rows have handles ("rowid");
    // empty where the engine numbers rows by itself.
    virtual std::string RowIdDeclaration() const = 0;
    // The worklist as the user named it: the file or the server connection.
    virtual const std::wstring& Path() const = 0;
    // Whether a write waits a while for another session's lock (as it does from the start) or
    // fails at once as locked.
    virtual HRESULT WaitForLocks(bool wait) = 0;
    // Whether what the connection writes still reaches the worklist that Path names; a server's
    // worklist has no file to lose.
    virtual HRESULT CheckInPlace(const IID&) { return S_OK; }

    // Locks the server keeps for this connection until it lets go or ends, however its program
    // ends; holder is shown to the other sessions. A file has none: E_NOINTERFACE.
    virtual bool KeepsSessionLocks() const { return false; }
    virtual HRESULT TryLock(LONG key, const std::wstring& holder, bool* taken);
    virtual HRESULT Unlock(LONG key);
    // S_FALSE and no holder when nobody holds key.
    virtual HRESULT LockHolder(LONG key, std::wstring* holder);
    // S_OK while this connection holds key, S_FALSE when it does not; a lost connection is opened
    // again and takes its locks again first, and fails when another session took one meanwhile.
    virtual HRESULT HoldsLock(LONG key);
    // The holder of key says that it lives, on the server's clock, in a record that outlasts the
    // lock (a server's restart drops every lock); with alive false, its record goes.
    virtual HRESULT Heartbeat(LONG key, bool alive);
    // Who last said so for key, and how many seconds ago by the server's clock, counted from its
    // own start when it started later; S_FALSE when nobody did.
    virtual HRESULT LastHeartbeat(LONG key, std::wstring* holder, LONG* secondsAgo);

    // The column that holds each row's handle.
    static constexpr const char* RowIdColumn = "rowid";
    // An identifier in double quotes, any quote inside doubled: any name is a valid name.
    static std::string Quote(std::string_view identifier);
    static std::string Quote(std::wstring_view identifier);

protected:
    bool InTransaction() const { return m_inTransaction; }
    // The text of the update PrepareRowUpdate prepares.
    static std::string RowUpdate(const std::string& table, const std::vector<std::string>& columns);
    // Starts the engine's transaction for writing (other writers wait until it ends) or for
    // reading.
    virtual HRESULT Begin(bool forWriting) = 0;
    // Whether the engine holds a transaction open, and whether it still takes writes in it.
    virtual bool TransactionOpen() const = 0;
    virtual bool TransactionAlive() const { return TransactionOpen(); }
    // A number that moves with every change another session commits, and not with this session's
    // own; none where the engine does not tell.
    virtual std::optional<std::int64_t> DataVersion() { return std::nullopt; }
    // Runs a statement that changes no row, a transaction's start or commit: what the rowsets hold
    // stays as it is.
    HRESULT ExecuteKeepingRows(const std::string& sql, const IID& iid);

private:
    // Refuses a write when the engine has rolled the open transaction back by itself after a
    // failure: the write would otherwise commit alone, outside the edit it belongs to.
    HRESULT CheckTransactionAlive(const IID& iid);
    HRESULT run(const std::string& sql, const IID& iid, const std::wstring& subject);

    bool m_inTransaction = false;
    bool m_forWriting = false;
    std::uint64_t m_writes = 0;
    std::map<std::wstring, std::uint64_t, std::less<>> m_tableWrites;
    // The version the current transaction started at; where the engine tells none, a number of
    // this transaction's own below zero, so that no mark of another one matches.
    std::int64_t m_versionAtStart = 0;
    std::int64_t m_transactions = 0;
};

} // namespace provider
