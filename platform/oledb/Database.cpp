// What every provider's connection does the same way over its engine's statements.
#include "Database.h"

#include "ErrorObject.h"

#include "kernel/Text.h"

namespace provider {

HRESULT Database::Execute(const std::string& sql, const IID& iid, const std::wstring& subject)
{
    ++m_writes;
    return run(sql, iid, subject);
}

HRESULT Database::ExecuteKeepingRows(const std::string& sql, const IID& iid) { return run(sql, iid, L""); }

HRESULT Database::run(const std::string& sql, const IID& iid, const std::wstring& subject)
{
    std::unique_ptr<Statement> statement;
    HRESULT status = Prepare(sql, iid, subject, &statement);
    if (FAILED(status))
        return status;
    int code;
    while ((code = statement->step()) == Statement::Row) {
    }
    return code == Statement::Done ? S_OK : Fail(code, iid, subject);
}

HRESULT Database::PrepareRowUpdate(const std::string& table, const std::vector<std::string>& columns, const IID& iid,
                                   const std::wstring& subject, std::unique_ptr<Statement>* statement)
{
    return Prepare(RowUpdate(table, columns), iid, subject, statement);
}

std::string Database::RowUpdate(const std::string& table, const std::vector<std::string>& columns)
{
    std::string set;
    for (const std::string& column : columns)
        set += (set.empty() ? "" : ", ") + Quote(column) + " = ?";
    return "UPDATE " + Quote(table) + " SET " + set + " WHERE " + RowIdColumn + " = ?";
}

HRESULT Database::Write(Statement& statement, const IID& iid, const std::wstring& subject)
{
    ++m_tableWrites[subject];
    HRESULT alive = CheckTransactionAlive(iid);
    if (FAILED(alive)) {
        statement.reset();
        return alive;
    }
    const int code = statement.write();
    const HRESULT status = code == Statement::Done || code == Statement::Row ? S_OK : Fail(code, iid, subject);
    statement.reset();
    return status;
}

HRESULT Database::StartTransaction(bool forWriting)
{
    if (m_inTransaction)
        return ReportError(XACT_E_XTIONEXISTS, IID_ITransactionLocal,
                           L"The session already has a transaction; transactions do not nest.");
    const HRESULT status = Begin(forWriting);
    m_inTransaction = SUCCEEDED(status);
    m_forWriting = forWriting;
    if (m_inTransaction)
        m_versionAtStart = DataVersion().value_or(-++m_transactions);
    return status;
}

std::uint64_t Database::Writes(std::wstring_view table) const
{
    const auto written = m_tableWrites.find(table);
    return m_writes + (written == m_tableWrites.end() ? 0 : written->second);
}

std::optional<Database::ChangeMark> Database::Changes(std::wstring_view table)
{
    if (m_inTransaction)
        return ChangeMark{Writes(table), m_versionAtStart};
    const std::optional<std::int64_t> version = DataVersion();
    if (!version)
        return std::nullopt;
    return ChangeMark{Writes(table), *version};
}

HRESULT Database::Commit()
{
    if (!m_inTransaction)
        return ReportError(XACT_E_NOTRANSACTION, IID_ITransactionLocal, L"The session has no transaction to commit.");
    HRESULT status = CheckTransactionAlive(IID_ITransactionLocal);
    if (SUCCEEDED(status))
        status = ExecuteKeepingRows("COMMIT", IID_ITransactionLocal);
    // A commit that fails takes nothing of the edit into the worklist; its failure is the one shown.
    if (FAILED(status))
        ++m_writes;
    if (FAILED(status) && TransactionOpen()) {
        std::shared_ptr<ErrorObject> failure;
        GetErrorInfo(0, &failure);
        Execute("ROLLBACK", IID_ITransactionLocal, L"");
        SetErrorInfo(0, std::move(failure));
    }
    m_inTransaction = false;
    return status;
}

HRESULT Database::Abort()
{
    if (!m_inTransaction)
        return ReportError(XACT_E_NOTRANSACTION, IID_ITransactionLocal, L"The session has no transaction to abort.");
    m_inTransaction = false;
    // The session's writes are taken back: what the rowsets kept of them no longer holds.
    ++m_writes;
    // An engine that took the transaction back by itself, or lost it with the connection, has
    // nothing to roll back.
    if (!TransactionOpen())
        return S_OK;
    return Execute("ROLLBACK", IID_ITransactionLocal, L"");
}

HRESULT Database::CheckTransactionAlive(const IID& iid)
{
    if (!m_inTransaction || TransactionAlive())
        return S_OK;
    return ReportError(XACT_E_COMMITFAILED, iid,
                       L"The transaction was rolled back after an earlier failure; nothing more is written until "
                       L"it ends.");
}

namespace {

HRESULT noServerLocks()
{
    return ReportError(E_NOINTERFACE, IID_ISessionLock, L"The worklist's provider keeps no locks for a session.");
}

} // namespace

HRESULT Database::TryLock(LONG, const std::wstring&, bool*) { return noServerLocks(); }

HRESULT Database::Unlock(LONG) { return noServerLocks(); }

HRESULT Database::LockHolder(LONG, std::wstring*) { return noServerLocks(); }

HRESULT Database::HoldsLock(LONG) { return noServerLocks(); }

HRESULT Database::Heartbeat(LONG, bool) { return noServerLocks(); }

HRESULT Database::LastHeartbeat(LONG, std::wstring*, LONG*) { return noServerLocks(); }

std::string Database::Quote(std::string_view identifier)
{
    std::string out = "\"";
    for (char c : identifier) {
        out += c;
        if (c == '"')
            out += '"';
    }
    return out + "\"";
}

std::string Database::Quote(std::wstring_view identifier) { return Quote(WideToUtf8(identifier)); }

} // namespace provider
