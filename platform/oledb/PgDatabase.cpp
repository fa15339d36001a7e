// Connecting to the worklist server, putting the module's commands into the server's dialect and
// mapping the server's failures to OLE DB statuses and error texts.
#include "PgDatabase.h"

#include "ErrorObject.h"
#include "PgStatement.h"

#include "kernel/Text.h"

#include <libpq-fe.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace provider {

namespace {

// The server keeps names of at most this many bytes and cuts longer ones.
constexpr std::size_t longestServerName = 63;
// The first half of every advisory lock key the module takes: its locks stay apart from those of
// other programs on the same server.
constexpr const char* lockSpace = "1397051982";
// A write waits this long for another session's row or table locks, as the file waits for its
// lock, and then fails as locked.
constexpr const char* sessionOptions = "-c lock_timeout=5000";
// The server's "no timeout" waits for ever: not waiting is the shortest wait it keeps.
constexpr const char* noLockWait = "SET lock_timeout = 1";
constexpr const char* lockWait = "SET lock_timeout = 5000";
// Takes a session lock named after its holder: the holder's name is the session's application
// name, which every session can read.
constexpr const char* takeLock = "SELECT pg_try_advisory_lock($1::int, $2::int) "
                                   "FROM (SELECT set_config('application_name', $3, false)) AS named";
// The heartbeats of the session locks' holders, made with the first one.
constexpr const char* heartbeatTable =
    "CREATE TABLE IF NOT EXISTS serion_heartbeat (lock_key integer PRIMARY KEY, holder text NOT NULL, "
    "seen timestamptz NOT NULL)";
// The failure Fail reports for a session lock that a reconnection could not take again.
constexpr const char* lockLostState = "SRN01";
// The failure Fail reports for a write sent ahead that found its row gone.
constexpr const char* rowGoneState = "SRN02";
// An edit asks for the row handles it inserts with at first this many at once, then twice as many
// each time up to the most, so that an edit of n rows asks about log n times and leaves few unused.
constexpr std::int64_t fewestRowIds = 16;
constexpr std::int64_t mostRowIds = 4096;

std::wstring inQuotes(std::wstring_view text) { return L"'" + std::wstring(text) + L"'"; }

// The connection in quotes, as the messages name it: never with its password.
std::wstring quotedServer(std::wstring_view connection) { return inQuotes(PgDatabase::MaskedConnection(connection)); }

constexpr std::string_view hidden = "***";

// A value as a "key=value" connection writes it: in quotes, its quotes and backslashes escaped,
// when it is empty or holds a space or either of them.
std::string keywordValue(std::string_view value)
{
    if (!value.empty() && value.find_first_of(" \t\r\n'\\") == std::string_view::npos)
        return std::string(value);
    std::string quoted = "'";
    for (const char c : value) {
        if (c == '\'' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "'";
}

// A value as a URI writes it: each byte but letters, digits and "-._~/" percent-encoded.
std::string uriValue(std::string_view value)
{
    std::string encoded;
    for (const unsigned char c : value) {
        if (std::isalnum(c) || std::string_view("-._~/").find(static_cast<char>(c)) != std::string_view::npos) {
            encoded += static_cast<char>(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", c);
            encoded += escape;
        }
    }
    return encoded;
}

// A URI of the given options, with scheme as the connection wrote it: the account and the
// password, a plain host and its port, the database, and every other option in the query.
std::string maskedUri(std::string_view scheme, std::vector<std::pair<std::string, std::string>> options)
{
    // The value of keyword, taken out of options, if it is there and accepted.
    const auto take = [&](std::string_view keyword, bool (*accepted)(std::string_view)) {
        const auto found = std::find_if(options.begin(), options.end(), [&](const auto& o) { return o.first == keyword; });
        if (found == options.end() || !accepted(found->second))
            return std::string();
        std::string value = std::move(found->second);
        options.erase(found);
        return value;
    };
    const auto any = [](std::string_view) { return true; };
    // A socket folder, several hosts or an IPv6 address go in the query instead of the authority.
    const auto plainHost = [](std::string_view host) { return host.find('/') == host.npos && uriValue(host) == host; };
    take("password", any);
    std::string uri = std::string(scheme) + uriValue(take("user", any)) + ":" + std::string(hidden) + "@";
    if (const std::string host = take("host", plainHost); !host.empty()) {
        const std::string port = take("port", plainHost);
        uri += port.empty() ? host : host + ":" + port;
    }
    uri += "/" + uriValue(take("dbname", any));
    for (std::size_t i = 0; i < options.size(); ++i)
        uri += (i == 0 ? "?" : "&") + options[i].first + "=" + uriValue(options[i].second);
    return uri;
}

bool startsWithWord(const std::string& sql, std::string_view word)
{
    const auto start = sql.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || sql.size() - start < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(sql[start + i])) != word[i])
            return false;
    return true;
}

// The command with its quoted names as the server keeps them and its "?" parameters numbered;
// written keeps each name as the command wrote it, for the messages.
std::string toServerDialect(const std::string& sql, int* parameters, std::map<std::string, std::string>& written)
{
    std::string out;
    *parameters = 0;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        const char c = sql[i];
        if (c == '?') {
            out += "$" + std::to_string(++*parameters);
        } else if (c == '\'') {
            const auto end = sql.find('\'', i + 1);
            const std::size_t last = end == std::string::npos ? sql.size() - 1 : end;
            out.append(sql, i, last - i + 1);
            i = last;
        } else if (c == '"') {
            std::string name;
            std::size_t j = i + 1;
            for (; j < sql.size(); ++j) {
                if (sql[j] == '"' && j + 1 < sql.size() && sql[j + 1] == '"')
                    name += sql[++j];
                else if (sql[j] == '"')
                    break;
                else
                    name += sql[j];
            }
            const std::string serverName = PgDatabase::ServerName(name);
            written[serverName] = name;
            out += Database::Quote(serverName);
            i = j;
        } else {
            out += c;
        }
    }
    return out;
}

void ignoreNotice(void*, const char*) {}

} // namespace

std::wstring PgDatabase::MaskedConnection(std::wstring_view connection)
{
    const std::string text = WideToUtf8(connection);
    char* error = nullptr;
    const std::unique_ptr<PQconninfoOption, void (*)(PQconninfoOption*)> parsed(PQconninfoParse(text.c_str(), &error),
                                                                                 PQconninfoFree);
    PQfreemem(error);
    // A connection libpq cannot read is not shown at all: its password cannot be told from the rest.
    if (!parsed)
        return std::wstring(hidden.begin(), hidden.end());
    std::vector<std::pair<std::string, std::string>> options;
    bool secret = false;
    for (const PQconninfoOption* option = parsed.get(); option->keyword; ++option) {
        if (!option->val)
            continue;
        secret = secret || (std::string_view(option->keyword) == "password" && *option->val);
        options.emplace_back(option->keyword, option->val);
    }
    if (!secret)
        return std::wstring(connection);
    // libpq reads a URI only after one of these two schemes.
    for (const std::string_view scheme : {"postgresql://", "postgres://"})
        if (text.starts_with(scheme))
            return Utf8ToWide(maskedUri(scheme, std::move(options)));
    std::string shown;
    for (const auto& [keyword, value] : options)
        shown += (shown.empty() ? "" : " ") + keyword + "=" + (keyword == "password" ? std::string(hidden) : keywordValue(value));
    return Utf8ToWide(shown);
}

std::string PgDatabase::ServerName(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    if (folded.size() <= longestServerName)
        return folded;
    // A shortened name keeps its beginning, cut where a character begins, and a hash of the
    // whole name, so that long names sharing a beginning stay apart.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : folded)
        hash = (hash ^ c) * 1099511628211ull;
    char suffix[18];
    std::snprintf(suffix, sizeof suffix, "_%016llx", static_cast<unsigned long long>(hash));
    std::size_t keep = longestServerName - (sizeof suffix - 1);
    while (keep > 0 && (static_cast<unsigned char>(folded[keep]) & 0xC0) == 0x80)
        --keep;
    return folded.substr(0, keep) + suffix;
}

HRESULT PgDatabase::Open(const std::wstring& connection, const std::wstring& user, const std::wstring& password,
                         std::shared_ptr<Database>* database)
{
    database->reset();
    const std::string dbname = WideToUtf8(connection);
    const std::string userName = WideToUtf8(user);
    const std::string secret = WideToUtf8(password);
    std::vector<const char*> keys = {"dbname", "client_encoding", "options"};
    std::vector<const char*> values = {dbname.c_str(), "UTF8", sessionOptions};
    // Admin without a password is the file's account: the connection's own account is used.
    if (!EqualsNoCase(user, L"Admin") || !password.empty()) {
        keys.insert(keys.end(), {"user", "password"});
        values.insert(values.end(), {userName.c_str(), secret.c_str()});
    }
    keys.push_back(nullptr);
    values.push_back(nullptr);
    pg_conn* pg = PQconnectdbParams(keys.data(), values.data(), 1);
    std::shared_ptr<PgDatabase> open(new PgDatabase(pg, connection));
    if (!pg)
        return ReportError(E_OUTOFMEMORY, IID_IDBInitialize, L"Out of memory.");
    PQsetNoticeProcessor(pg, ignoreNotice, nullptr);
    if (PQstatus(pg) != CONNECTION_OK) {
        const std::wstring reason = Utf8ToWide(PQerrorMessage(pg));
        if (reason.find(L"password") != std::wstring::npos || reason.find(L"authentication") != std::wstring::npos)
            return ReportError(DB_SEC_E_AUTH_FAILED, IID_IDBInitialize,
                               L"Not a valid account name or password for the worklist server " +
                                   quotedServer(connection) + L".");
        return ReportError(DB_E_CANNOTCONNECT, IID_IDBInitialize,
                           L"Could not reach the worklist server " + quotedServer(connection) + L": " + reason +
                               L" Check that the server runs and that the connection is spelled correctly, then "
                               L"try again.");
    }
    *database = std::move(open);
    return S_OK;
}

PgDatabase::~PgDatabase() { PQfinish(m_pg); }

HRESULT PgDatabase::WaitForLocks(bool wait)
{
    return Execute(wait ? lockWait : noLockWait, IID_IDBProperties, L"");
}

HRESULT PgDatabase::Prepare(const std::string& sql, const IID&, const std::wstring&,
                            std::unique_ptr<Statement>* statement)
{
    int parameters = 0;
    std::string text = toServerDialect(sql, &parameters, m_writtenNames);
    // An inserted row's handle comes back with the insert, not from a later question.
    if (startsWithWord(text, "INSERT"))
        text += " RETURNING rowid";
    // A changed table's columns are read again when next asked for.
    else if (startsWithWord(text, "CREATE") || startsWithWord(text, "ALTER") || startsWithWord(text, "DROP"))
        m_columns.clear();
    *statement = std::make_unique<PgStatement>(*this, std::move(text), parameters);
    return S_OK;
}

HRESULT PgDatabase::PrepareRowUpdate(const std::string& table, const std::vector<std::string>& columns, const IID&,
                                     const std::wstring&, std::unique_ptr<Statement>* statement)
{
    int parameters = 0;
    std::string single = toServerDialect(RowUpdate(table, columns), &parameters, m_writtenNames);
    // Many rows go as one array of values for each column, of the column's own type, and one of
    // their handles. A column the table lacks leaves each row to its own update, which the server
    // refuses with its reason.
    const auto& known = Columns(table);
    std::string set;
    std::string arrays;
    std::string names;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto column = known.find(ServerName(columns[i]));
        if (column == known.end()) {
            *statement = std::make_unique<PgStatement>(*this, std::move(single), parameters);
            return S_OK;
        }
        const std::string value = "v" + std::to_string(i + 1);
        set += (i ? ", " : "") + Quote(column->first) + " = gathered." + value;
        arrays += "$" + std::to_string(i + 1) + "::" + column->second.type + "[], ";
        names += value + ", ";
    }
    std::string gathered = "UPDATE " + Quote(ServerName(table)) + " AS target SET " + set + " FROM unnest(" + arrays +
                           "$" + std::to_string(parameters) + "::bigint[]) AS gathered(" + names +
                           "handle) WHERE target." + RowIdColumn + " = gathered.handle";
    *statement = std::make_unique<PgStatement>(*this, std::move(single), parameters, std::move(gathered));
    return S_OK;
}

int PgDatabase::Run(const std::string& sql, const std::vector<const char*>& values, pg_result** result)
{
    // A rollback takes back the updates not yet sent along with the rest.
    if (startsWithWord(sql, "ROLLBACK"))
        m_gathered = {};
    // What follows sees the writes sent ahead. Once one of them failed, nothing but the rollback is
    // sent until the transaction ends: every statement fails with that failure, as the edit does.
    m_sentAheadFailed = (m_sentAheadFailed || !AnswerWritesSentAhead()) && InTransaction();
    if (m_sentAheadFailed && !startsWithWord(sql, "ROLLBACK"))
        return 1;
    m_sentAheadFailed = false;
    const auto send = [&] {
        const auto count = static_cast<int>(values.size());
        // A statement without values goes as one simple query, which may hold several statements.
        // A statement with values is sent again and again with others (a row at a time): the server
        // parses and plans it once for the session, under a name of its own.
        if (values.empty())
            return PQexec(m_pg, sql.c_str());
        auto [prepared, added] = m_prepared.try_emplace(sql, "serion_" + std::to_string(m_prepared.size()));
        if (added) {
            pg_result* answer = PQprepare(m_pg, prepared->second.c_str(), sql.c_str(), count, nullptr);
            if (PQresultStatus(answer) != PGRES_COMMAND_OK) {
                m_prepared.erase(prepared);
                return answer;
            }
            PQclear(answer);
        }
        return PQexecPrepared(m_pg, prepared->second.c_str(), count, values.data(), nullptr, nullptr, 0);
    };
    pg_result* answer = send();
    // Outside a transaction nothing is lost with the connection: open it again and send once more.
    if (PQstatus(m_pg) == CONNECTION_BAD && !InTransaction()) {
        PQclear(answer);
        if (!Reconnect())
            return 1;
        answer = send();
    }
    const ExecStatusType status = answer ? PQresultStatus(answer) : PGRES_FATAL_ERROR;
    if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
        return Remember(answer);
    m_changedRows = std::atoll(PQcmdTuples(answer));
    if (status == PGRES_TUPLES_OK && startsWithWord(sql, "INSERT") && PQntuples(answer) == 1)
        m_lastInsertedRow = std::atoll(PQgetvalue(answer, 0, 0));
    *result = answer;
    return Statement::Done;
}

int PgDatabase::SendAhead(const std::string& sql, const std::vector<const char*>& values, const std::string& gathered)
{
    const auto prepared = m_prepared.find(sql);
    // Outside an edit, and when the statement is new (preparing it waits for the server), the write
    // waits for its answer.
    if (!InWriteTransaction() || values.empty() || prepared == m_prepared.end()) {
        pg_result* answer = nullptr;
        const int code = Run(sql, values, &answer);
        PQclear(answer);
        return code;
    }
    if (m_sentAheadFailed)
        return 1;
    m_changedRows = 1;
    const char* row = values.back();
    if (gathered.empty() || !row)
        return SendGathered() && SendPreparedAhead(prepared->second, values) ? Statement::Done : 1;
    // A row met again ends the run: one statement changes a row once.
    if ((m_gathered.single != sql || m_gathered.rows.contains(row)) && !SendGathered())
        return 1;
    if (m_gathered.writes == 0) {
        m_gathered.single = sql;
        m_gathered.sql = gathered;
        m_gathered.first.clear();
        for (const char* value : values)
            m_gathered.first.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        m_gathered.elements.assign(values.size(), "");
    }
    for (std::size_t i = 0; i < values.size(); ++i) {
        std::string& elements = m_gathered.elements[i];
        if (m_gathered.writes > 0)
            elements += ',';
        if (!values[i]) {
            elements += "NULL";
            continue;
        }
        elements += '"';
        for (const char* c = values[i]; *c; ++c) {
            if (*c == '"' || *c == '\\')
                elements += '\\';
            elements += *c;
        }
        elements += '"';
    }
    m_gathered.rows.insert(row);
    ++m_gathered.writes;
    return Statement::Done;
}

bool PgDatabase::Pipelined() { return PQpipelineStatus(m_pg) != PQ_PIPELINE_OFF || PQenterPipelineMode(m_pg) == 1; }

bool PgDatabase::SentAhead(bool sent, std::int64_t rows)
{
    if (!sent) {
        Remember(nullptr);
        return false;
    }
    m_sentAhead.push_back(rows);
    return true;
}

bool PgDatabase::SendPreparedAhead(const std::string& name, const std::vector<const char*>& values)
{
    return SentAhead(Pipelined() && PQsendQueryPrepared(m_pg, name.c_str(), static_cast<int>(values.size()),
                                                        values.data(), nullptr, nullptr, 0),
                     1);
}

bool PgDatabase::SendGathered()
{
    if (m_gathered.writes == 0)
        return true;
    const Gathered run = std::exchange(m_gathered, {});
    std::vector<const char*> values;
    const auto prepared = m_prepared.find(run.single);
    if (run.writes == 1 && prepared != m_prepared.end()) {
        for (const auto& value : run.first)
            values.push_back(value ? value->c_str() : nullptr);
        return SendPreparedAhead(prepared->second, values);
    }
    std::vector<std::string> arrays;
    for (const std::string& elements : run.elements)
        arrays.push_back("{" + elements + "}");
    for (const std::string& array : arrays)
        values.push_back(array.c_str());
    // Planned for its arrays at hand: a run's length tells the server how to join it.
    return SentAhead(Pipelined() && PQsendQueryParams(m_pg, run.sql.c_str(), static_cast<int>(values.size()), nullptr,
                                                      values.data(), nullptr, nullptr, 0),
                     run.writes);
}

bool PgDatabase::AnswerWritesSentAhead()
{
    const bool gatheredSent = SendGathered();
    if (PQpipelineStatus(m_pg) == PQ_PIPELINE_OFF)
        return gatheredSent;
    const bool synced = PQpipelineSync(m_pg) == 1;
    bool answered = synced;
    if (!synced)
        Remember(nullptr);
    std::size_t sent = 0;
    // Each write's answer is followed by none; the sync's answer comes last.
    while (synced) {
        pg_result* answer = PQgetResult(m_pg);
        if (!answer && PQstatus(m_pg) != CONNECTION_OK)
            break;
        const ExecStatusType status = PQresultStatus(answer);
        if (status == PGRES_PIPELINE_SYNC) {
            PQclear(answer);
            break;
        }
        const std::int64_t rows = answer && sent < m_sentAhead.size() ? m_sentAhead[sent++] : 1;
        if (answer && answered && status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
            answered = false;
            Remember(answer);
            continue;
        }
        // An update by row handles that changed fewer rows found one deleted by another session.
        if (answer && answered && std::string_view(PQcmdStatus(answer)).starts_with("UPDATE ") &&
            std::atoll(PQcmdTuples(answer)) < rows) {
            answered = false;
            m_failedState = rowGoneState;
            m_failedMessage.clear();
        }
        PQclear(answer);
    }
    m_sentAhead.clear();
    PQexitPipelineMode(m_pg);
    return answered && gatheredSent;
}

HRESULT PgDatabase::RowIdAhead(const std::string& table, std::optional<std::int64_t>* id)
{
    id->reset();
    // Edits take turns, so that handles taken now and given later still come after every row
    // another session inserted meanwhile. Outside one an insert waits for its handle.
    if (!InWriteTransaction())
        return S_OK;
    RowIds& ids = m_rowIdsAhead[table];
    if (ids.descending.empty()) {
        ids.asked = std::clamp(2 * ids.asked, fewestRowIds, mostRowIds);
        const std::string quoted = Quote(table);
        const std::string count = std::to_string(ids.asked);
        pg_result* result = nullptr;
        if (Run("SELECT nextval(pg_get_serial_sequence($1, 'rowid')) AS id FROM generate_series(1, $2::int) "
                "ORDER BY id DESC",
                {quoted.c_str(), count.c_str()}, &result) != Statement::Done)
            return Fail(1, IID_IRowsetChange, Utf8ToWide(table));
        for (int row = 0; row < PQntuples(result) && !PQgetisnull(result, row, 0); ++row)
            ids.descending.push_back(std::atoll(PQgetvalue(result, row, 0)));
        PQclear(result);
        // A table without a sequence numbers its rows as it inserts them.
        if (ids.descending.empty())
            return S_OK;
    }
    *id = ids.descending.back();
    ids.descending.pop_back();
    return S_OK;
}

int PgDatabase::Remember(pg_result* result)
{
    const char* state = result ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    m_failedState = state ? state : (PQstatus(m_pg) == CONNECTION_BAD ? "08006" : "XX000");
    const char* primary = result ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    m_failedMessage = Utf8ToWide(primary ? primary : PQerrorMessage(m_pg));
    while (!m_failedMessage.empty() && (m_failedMessage.back() == L'\n' || m_failedMessage.back() == L'.'))
        m_failedMessage.pop_back();
    PQclear(result);
    // Any code but Row and Done; Fail reads the remembered failure.
    return 1;
}

bool PgDatabase::Reconnect()
{
    PQreset(m_pg);
    m_prepared.clear();
    if (PQstatus(m_pg) != CONNECTION_OK) {
        Remember(nullptr);
        return false;
    }
    for (auto lock = m_sessionLocks.begin(); lock != m_sessionLocks.end();) {
        const std::string id = std::to_string(lock->first);
        const std::vector<const char*> values = {lockSpace, id.c_str(), lock->second.c_str()};
        pg_result* answer = PQexecParams(m_pg, takeLock, 3, nullptr, values.data(), nullptr, nullptr, 0);
        const bool taken = PQresultStatus(answer) == PGRES_TUPLES_OK && PQntuples(answer) == 1 &&
                           std::string_view(PQgetvalue(answer, 0, 0)) == "t";
        PQclear(answer);
        if (!taken) {
            m_sessionLocks.erase(lock);
            m_failedState = lockLostState;
            m_failedMessage = L"";
            return false;
        }
        ++lock;
    }
    return true;
}

HRESULT PgDatabase::Begin(bool forWriting)
{
    // Reading many rows as one sees them as they were when the first was read.
    if (!forWriting)
        return ExecuteKeepingRows("BEGIN ISOLATION LEVEL REPEATABLE READ", IID_ITransactionLocal);
    // Edits take turns, as on the file: an edit reads the rows it renumbers or the last id it
    // counts from while no other edit can change them, and waits for its turn at its start.
    // Handles taken for an earlier edit may belong to a table dropped and made anew since.
    m_rowIdsAhead.clear();
    // Both in one trip to the server.
    const HRESULT status =
        ExecuteKeepingRows(std::string("BEGIN; SELECT pg_advisory_xact_lock(") + lockSpace + ", 0)", IID_ITransactionLocal);
    if (FAILED(status) && TransactionOpen())
        PQclear(PQexec(m_pg, "ROLLBACK"));
    return status;
}

// While writes sent ahead wait for their answers the server is busy with the transaction they
// belong to; whether one of them failed shows when the answers are read.
bool PgDatabase::TransactionOpen() const
{
    const PGTransactionStatusType status = PQtransactionStatus(m_pg);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR || (status == PQTRANS_ACTIVE && !m_sentAhead.empty());
}

// After a failure the server keeps the transaction open but refuses all but its end.
bool PgDatabase::TransactionAlive() const
{
    const PGTransactionStatusType status = PQtransactionStatus(m_pg);
    return status == PQTRANS_INTRANS || (status == PQTRANS_ACTIVE && !m_sentAhead.empty());
}

HRESULT PgDatabase::Fail(int, const IID& iid, const std::wstring& subject)
{
    const std::string_view state = m_failedState;
    const std::wstring server = quotedServer(m_connection);
    if (state == lockLostState)
        return ReportError(E_FAIL, iid,
                           L"The connection to the worklist server " + server + L" was lost and opened again, and "
                           L"meanwhile another Orvane took the lock this one held on a group's run. This Orvane "
                           L"runs nothing more of that group; see which instrument runs it now.");
    if (state == rowGoneState)
        return ReportError(DB_E_DELETEDROW, iid, L"The row was deleted by another session.");
    if (state.starts_with("08") || state == "57P01")
        return ReportError(DB_E_CANNOTCONNECT, iid,
                           L"Lost the connection to the worklist server " + server + L": " + m_failedMessage +
                               L". What was not written stays as it was; check the server and the network, then "
                               L"try again.");
    if (state == "42P01")
        return ReportError(DB_E_NOTABLE, iid,
                           L"The database engine cannot find the input table or query " +
                               inQuotes(subject.empty() ? MissingTable() : subject) +
                               L". Make sure it exists and that its name is spelled correctly.");
    if (state.starts_with("28"))
        return ReportError(DB_SEC_E_AUTH_FAILED, iid,
                           L"Not a valid account name or password for the worklist server " + server + L".");
    if (state == "25006" || state == "42501")
        return ReportError(DB_SEC_E_PERMISSIONDENIED, iid,
                           L"Cannot update. Database or object is read-only: " + server + L". Ask the server's "
                           L"administrator for write access to the worklist, then try again.");
    if (state == "55P03" || state == "40P01" || state == "40001")
        return ReportError(E_FAIL, iid,
                           L"Could not update; currently locked by another session or process. " + server +
                               L" stays as it was; try again when the other Orvane has finished with it.");
    if (state == "53100")
        return ReportError(E_FAIL, iid,
                           L"Not enough space on disk. " + server + L" stays as it was; free space on the "
                           L"server's disk, then try again.");
    if (state.starts_with("53"))
        return ReportError(E_OUTOFMEMORY, iid, L"Out of memory.");
    if (iid == IID_ICommand && state.starts_with("42"))
        return ReportError(DB_E_ERRORSINCOMMAND, iid, L"Syntax error in the command: " + m_failedMessage + L".");
    return ReportError(E_FAIL, iid, m_failedMessage + L".");
}

std::wstring PgDatabase::MissingTable() const
{
    // The server says: relation "name" does not exist.
    const auto open = m_failedMessage.find(L'"');
    const auto close = m_failedMessage.rfind(L'"');
    if (open == std::wstring::npos || close <= open)
        return m_failedMessage;
    const std::string name = WideToUtf8(m_failedMessage.substr(open + 1, close - open - 1));
    const auto written = m_writtenNames.find(name);
    return Utf8ToWide(written == m_writtenNames.end() ? name : written->second);
}

bool PgDatabase::TableExists(std::wstring_view table)
{
    const std::string name = ServerName(WideToUtf8(table));
    pg_result* result = nullptr;
    const bool found = Run("SELECT 1 FROM pg_catalog.pg_tables WHERE schemaname = current_schema() AND tablename = $1",
                           {name.c_str()}, &result) == Statement::Done &&
                       PQntuples(result) > 0;
    PQclear(result);
    return found;
}

const std::map<std::string, PgDatabase::Column>& PgDatabase::Columns(const std::string& table)
{
    const std::string name = ServerName(table);
    auto known = m_columns.find(name);
    if (known != m_columns.end())
        return known->second;
    auto& columns = m_columns[name];
    const std::string quoted = Quote(name);
    pg_result* result = nullptr;
    // A varchar's modifier is its width plus the four bytes of its length.
    if (Run("SELECT attname, CASE WHEN atttypid = 'varchar'::regtype AND atttypmod > 4 THEN atttypmod - 4 END, "
            "format_type(atttypid, NULL) FROM pg_catalog.pg_attribute WHERE attrelid = to_regclass($1) AND attnum > 0 "
            "AND NOT attisdropped",
            {quoted.c_str()}, &result) == Statement::Done) {
        for (int row = 0; row < PQntuples(result); ++row)
            columns[PQgetvalue(result, row, 0)] = {
                PQgetisnull(result, row, 1) ? std::nullopt
                                            : std::optional<ULONG>(std::strtoul(PQgetvalue(result, row, 1), nullptr, 10)),
                PQgetvalue(result, row, 2)};
    }
    PQclear(result);
    return columns;
}

bool PgDatabase::ColumnExists(const std::string& table, const std::string& column)
{
    return Columns(table).contains(ServerName(column));
}

std::optional<ULONG> PgDatabase::TextWidth(const std::string& table, const std::string& column)
{
    const auto& columns = Columns(table);
    const auto found = columns.find(ServerName(column));
    return found == columns.end() ? std::nullopt : found->second.width;
}

std::string PgDatabase::TableName(unsigned int table)
{
    auto known = m_tableNames.find(table);
    if (known != m_tableNames.end())
        return known->second;
    const std::string id = std::to_string(table);
    pg_result* result = nullptr;
    std::string name;
    if (Run("SELECT relname FROM pg_catalog.pg_class WHERE oid = $1", {id.c_str()}, &result) == Statement::Done &&
        PQntuples(result) == 1)
        name = PQgetvalue(result, 0, 0);
    PQclear(result);
    if (!name.empty())
        m_tableNames[table] = name;
    return name;
}

HRESULT PgDatabase::AskAboutLock(const char* sql, LONG key, const std::string& extra,
                                 std::optional<std::string>* value)
{
    const std::string id = std::to_string(key);
    std::vector<const char*> values = {lockSpace, id.c_str()};
    if (!extra.empty())
        values.push_back(extra.c_str());
    pg_result* result = nullptr;
    if (Run(sql, values, &result) != Statement::Done)
        return Fail(1, IID_ISessionLock, L"");
    value->reset();
    if (PQntuples(result) > 0 && !PQgetisnull(result, 0, 0))
        *value = PQgetvalue(result, 0, 0);
    PQclear(result);
    return S_OK;
}

HRESULT PgDatabase::TryLock(LONG key, const std::wstring& holder, bool* taken)
{
    std::optional<std::string> answer;
    const std::string name = WideToUtf8(holder);
    const HRESULT status = AskAboutLock(takeLock, key, name, &answer);
    *taken = SUCCEEDED(status) && answer == "t";
    if (*taken)
        m_sessionLocks[key] = name;
    return status;
}

HRESULT PgDatabase::Unlock(LONG key)
{
    std::optional<std::string> answer;
    m_sessionLocks.erase(key);
    return AskAboutLock("SELECT pg_advisory_unlock($1::int, $2::int)", key, "", &answer);
}

HRESULT PgDatabase::LockHolder(LONG key, std::wstring* holder)
{
    std::map<LONG, std::wstring> holders;
    const HRESULT status = LockHolders(&holders);
    holder->clear();
    if (FAILED(status))
        return status;
    const auto found = holders.find(key);
    if (found == holders.end())
        return S_FALSE;
    *holder = found->second;
    return S_OK;
}

HRESULT PgDatabase::HoldsLock(LONG key)
{
    if (!m_sessionLocks.contains(key))
        return S_FALSE;
    // A session lock lasts as long as the connection: any answer on it tells that the lock is still
    // held, and the question through Run opens a lost connection again with its locks.
    pg_result* result = nullptr;
    if (Run("SELECT 1", {}, &result) != Statement::Done)
        return Fail(1, IID_ISessionLock, L"");
    PQclear(result);
    return m_sessionLocks.contains(key) ? S_OK : S_FALSE;
}

HRESULT PgDatabase::LockHolders(std::map<LONG, std::wstring>* holders)
{
    holders->clear();
    pg_result* result = nullptr;
    if (Run("SELECT l.objid, a.application_name FROM pg_catalog.pg_locks l JOIN pg_catalog.pg_stat_activity a "
            "ON a.pid = l.pid WHERE l.locktype = 'advisory' AND l.granted AND l.classid = $1::int::oid "
            "AND l.objsubid = 2 AND l.database = (SELECT oid FROM pg_catalog.pg_database WHERE datname = "
            "current_database())",
            {lockSpace}, &result) != Statement::Done)
        return Fail(1, IID_ISessionLock, L"");
    for (int row = 0; row < PQntuples(result); ++row)
        (*holders)[static_cast<LONG>(std::atoll(PQgetvalue(result, row, 0)))] = Utf8ToWide(PQgetvalue(result, row, 1));
    PQclear(result);
    return S_OK;
}

HRESULT PgDatabase::Heartbeat(LONG key, bool alive)
{
    const std::string id = std::to_string(key);
    const auto held = m_sessionLocks.find(key);
    // Only the lock's holder speaks for it.
    if (held == m_sessionLocks.end())
        return S_FALSE;
    const std::string holder = held->second;
    const char* sql = alive ? "INSERT INTO serion_heartbeat VALUES ($1::int, $2, now()) ON CONFLICT (lock_key) "
                              "DO UPDATE SET holder = excluded.holder, seen = excluded.seen"
                            : "DELETE FROM serion_heartbeat WHERE lock_key = $1::int AND holder = $2";
    pg_result* result = nullptr;
    int code = Run(sql, {id.c_str(), holder.c_str()}, &result);
    // The first heartbeat on a worklist makes the table of them.
    if (code != Statement::Done && m_failedState == "42P01" && alive &&
        Run(heartbeatTable, {}, &result) == Statement::Done) {
        PQclear(result);
        code = Run(sql, {id.c_str(), holder.c_str()}, &result);
    }
    if (code != Statement::Done)
        return m_failedState == "42P01" ? S_FALSE : Fail(code, IID_ISessionLock, L"");
    PQclear(result);
    return S_OK;
}

HRESULT PgDatabase::LastHeartbeat(LONG key, std::wstring* holder, LONG* secondsAgo)
{
    holder->clear();
    *secondsAgo = 0;
    const std::string id = std::to_string(key);
    pg_result* result = nullptr;
    const int code = Run("SELECT holder, floor(extract(epoch FROM now() - greatest(seen, pg_postmaster_start_time()))) "
                         "FROM serion_heartbeat WHERE lock_key = $1::int",
                         {id.c_str()}, &result);
    if (code != Statement::Done)
        return m_failedState == "42P01" ? S_FALSE : Fail(code, IID_ISessionLock, L"");
    const bool found = PQntuples(result) == 1;
    if (found) {
        *holder = Utf8ToWide(PQgetvalue(result, 0, 0));
        *secondsAgo = static_cast<LONG>(std::atol(PQgetvalue(result, 0, 1)));
    }
    PQclear(result);
    return found ? S_OK : S_FALSE;
}

std::string PgDatabase::RowIdDeclaration() const
{
    return "rowid BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY, ";
}

} // namespace provider
