// Opening the worklist file and mapping the engine's failures to OLE DB statuses and error texts.
#include "SqliteDatabase.h"

#include "ErrorObject.h"
#include "kernel/DriveMap.h"
#include "kernel/FileApi.h"
#include "kernel/Text.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cctype>
#include <cstdlib>

namespace provider {

namespace {

// How long a write waits for another session or process to finish its own.
constexpr int busyTimeoutMs = 5000;

std::wstring inQuotes(std::wstring_view text) { return L"'" + std::wstring(text) + L"'"; }

std::wstring engineMessage(sqlite3* db) { return Utf8ToWide(db ? sqlite3_errmsg(db) : "out of memory"); }

} // namespace

HRESULT SqliteDatabase::Open(const std::wstring& windowsPath, bool readOnly, std::shared_ptr<Database>* database)
{
    database->reset();
    const auto hostPath = DriveMap::toHost(windowsPath);
    if (!hostPath)
        return ReportError(E_FAIL, IID_IDBInitialize,
                           inQuotes(windowsPath) + L" is not a valid path. Make sure that the path name is spelled "
                                                 L"correctly and that the drive exists.");
    // A file marked read-only is opened for reading, as Windows would let it be read.
    const DWORD attributes = GetFileAttributesW(windowsPath.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        readOnly = true;
    sqlite3* db = nullptr;
    // A connection serves one session on the one user-interface thread: the engine need not lock
    // it on every call.
    const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    const int opened = sqlite3_open_v2(hostPath->c_str(), &db, flags, nullptr);
    std::shared_ptr<SqliteDatabase> open(new SqliteDatabase(db, windowsPath));
    if (opened != SQLITE_OK)
        return open->Fail(opened, IID_IDBInitialize, windowsPath);
    struct stat file {};
    if (::stat(hostPath->c_str(), &file) == 0)
        open->m_device = file.st_dev;
    sqlite3_extended_result_codes(db, 0);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    // Reading the schema tells a database from any other file before the first command.
    HRESULT status = open->Execute("SELECT count(*) FROM sqlite_master", IID_IDBInitialize, windowsPath);
    if (FAILED(status))
        return status;
    // The engine takes a file of no pages for a new database; a worklist cut to nothing is not one.
    if (open->PageCount() == 0)
        return open->Fail(SQLITE_NOTADB, IID_IDBInitialize, windowsPath);
    if (!readOnly && !sqlite3_db_readonly(db, "main")) {
        status = open->Execute("PRAGMA journal_mode=WAL", IID_IDBInitialize, windowsPath);
        if (FAILED(status))
            return status;
        // Every commit is on the disk before the call returns, so a run's recorded start or end
        // survives a power loss, not only a crash of the process.
        open->Execute("PRAGMA synchronous=FULL", IID_IDBInitialize, windowsPath);
        // A row's old content is overwritten, not left in a free page: a replaced password or a
        // changed record leaves nothing behind in the file.
        open->Execute("PRAGMA secure_delete=ON", IID_IDBInitialize, windowsPath);
    }
    *database = std::move(open);
    return S_OK;
}

SqliteDatabase::~SqliteDatabase()
{
    for (const auto& [sql, statement] : *m_idle)
        sqlite3_finalize(statement);
    m_idle->clear();
    sqlite3_close_v2(m_db);
}

HRESULT SqliteDatabase::WaitForLocks(bool wait)
{
    sqlite3_busy_timeout(m_db, wait ? busyTimeoutMs : 0);
    return S_OK;
}

HRESULT SqliteDatabase::CheckInPlace(const IID& iid)
{
    // The engine compares the inode it holds with the one at the path, which is gone when the file
    // was deleted or renamed away; a file of the same inode number elsewhere differs in device.
    int moved = 0;
    sqlite3_file_control(m_db, "main", SQLITE_FCNTL_HAS_MOVED, &moved);
    const auto hostPath = DriveMap::toHost(m_path);
    struct stat file {};
    if (!moved && hostPath && ::stat(hostPath->c_str(), &file) == 0 && file.st_dev == m_device)
        return S_OK;
    return ReportError(E_FAIL, iid,
                       L"The worklist file " + inQuotes(m_path) + L" was deleted, renamed or replaced while it was "
                       L"open: what is written now would not reach it. Put the file back in its place.");
}

HRESULT SqliteDatabase::Prepare(const std::string& sql, const IID& iid, const std::wstring& subject,
                                std::unique_ptr<Statement>* statement)
{
    auto prepared = std::make_unique<SqliteStatement>();
    const int code = prepared->prepare(m_db, sql, m_idle);
    statement->reset();
    if (code != SQLITE_OK)
        return Fail(code, iid, subject);
    *statement = std::move(prepared);
    return S_OK;
}

HRESULT SqliteDatabase::Begin(bool forWriting)
{
    // Taking the file's write lock at once: an edit never waits for it halfway through.
    return ExecuteKeepingRows(forWriting ? "BEGIN IMMEDIATE" : "BEGIN", IID_ITransactionLocal);
}

std::optional<std::int64_t> SqliteDatabase::DataVersion()
{
    if (m_dataVersion.empty() && m_dataVersion.prepare(m_db, "PRAGMA data_version") != SQLITE_OK)
        return std::nullopt;
    std::optional<std::int64_t> version;
    if (m_dataVersion.step() == SQLITE_ROW)
        version = m_dataVersion.columnInt(0);
    m_dataVersion.reset();
    return version;
}

bool SqliteDatabase::TransactionOpen() const { return !sqlite3_get_autocommit(m_db); }

HRESULT SqliteDatabase::Fail(int code, const IID& iid, const std::wstring& subject)
{
    const std::wstring detail = engineMessage(m_db);
    const std::wstring file = inQuotes(m_path);
    switch (code & 0xFF) {
    case SQLITE_CANTOPEN:
        // A file that is there but cannot be opened is usually in a folder the user may not write:
        // the engine keeps its log and its shared memory beside the file.
        if (GetFileAttributesW(m_path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return ReportError(E_FAIL, iid,
                               L"Could not open file " + file + L": the file or its folder cannot be written. "
                               L"Give your account write access to the file and to its folder, then try again.");
        return ReportError(E_FAIL, iid, L"Could not find file " + file + L".");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return ReportError(E_FAIL, iid,
                           L"Unrecognized database format " + file + L". The file is damaged or is not a "
                           L"worklist; put back a copy from a backup, or the delivered worklist.");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return ReportError(DB_SEC_E_PERMISSIONDENIED, iid,
                           L"Cannot update. Database or object is read-only: " + file + L". Clear the "
                           L"file's read-only attribute and give your account write access to it and to its "
                           L"folder, then try again.");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ReportError(E_FAIL, iid,
                           L"Could not update; currently locked by another session or process. " + file +
                               L" stays as it was; try again when the other program or Orvane has finished "
                               L"with it.");
    case SQLITE_FULL:
        return ReportError(E_FAIL, iid,
                           L"Not enough space on disk. " + file + L" stays as it was; free space on its drive, "
                           L"then try again.");
    case SQLITE_IOERR:
        return ReportError(E_FAIL, iid,
                           L"Disk or network error on " + file + L". Check the drive or the network "
                           L"connection, then try again.");
    case SQLITE_NOMEM:
        return ReportError(E_OUTOFMEMORY, iid, L"Out of memory.");
    default:
        break;
    }
    const std::wstring_view missingTable = L"no such table: ";
    if (detail.starts_with(missingTable))
        return ReportError(DB_E_NOTABLE, iid,
                           L"The database engine cannot find the input table or query " +
                               inQuotes(subject.empty() ? detail.substr(missingTable.size()) : subject) +
                               L". Make sure it exists and that its name is spelled correctly.");
    if (iid == IID_ICommand)
        return ReportError(DB_E_ERRORSINCOMMAND, iid, L"Syntax error in the command: " + detail + L".");
    return ReportError(E_FAIL, iid, detail + L".");
}

std::int64_t SqliteDatabase::LastInsertedRow() { return sqlite3_last_insert_rowid(m_db); }

std::int64_t SqliteDatabase::ChangedRows() { return sqlite3_changes(m_db); }

std::int64_t SqliteDatabase::PageCount()
{
    SqliteStatement statement;
    if (statement.prepare(m_db, "PRAGMA page_count") != SQLITE_OK || statement.step() != SQLITE_ROW)
        return -1;
    return statement.columnInt(0);
}

bool SqliteDatabase::TableExists(std::wstring_view table)
{
    SqliteStatement statement;
    // Asked before every audit record is written: kept prepared like the provider's statements.
    if (statement.prepare(m_db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE",
                          m_idle) != SQLITE_OK)
        return false;
    statement.bind(1, table);
    return statement.step() == SQLITE_ROW;
}

bool SqliteDatabase::ColumnExists(const std::string& table, const std::string& column)
{
    return sqlite3_table_column_metadata(m_db, "main", table.c_str(), column.c_str(), nullptr, nullptr, nullptr,
                                         nullptr, nullptr) == SQLITE_OK;
}

std::optional<ULONG> SqliteDatabase::TextWidth(const std::string& table, const std::string& column)
{
    const char* declared = nullptr;
    if (sqlite3_table_column_metadata(m_db, "main", table.c_str(), column.c_str(), &declared, nullptr, nullptr,
                                      nullptr, nullptr) != SQLITE_OK ||
        !declared)
        return std::nullopt;
    std::string type = declared;
    for (char& c : type)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const auto open = type.find('(');
    if (open == std::string::npos || type.find("CHAR") == std::string::npos)
        return std::nullopt;
    return static_cast<ULONG>(std::strtoul(type.c_str() + open + 1, nullptr, 10));
}

} // namespace provider
