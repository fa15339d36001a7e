// Rowsets over one table, kept as row ids.
#include "Rowset.h"

#include "ErrorObject.h"
#include "kernel/Text.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cstring>

namespace provider {

namespace {

// The command's text after its leading SELECT, or nothing when it does not begin with one.
std::optional<std::string> afterSelect(const std::string& command)
{
    const auto start = command.find_first_not_of(" \t\r\n");
    if (start == std::string::npos || command.size() - start < 6)
        return std::nullopt;
    for (std::size_t i = 0; i < 6; ++i)
        if (std::toupper(static_cast<unsigned char>(command[start + i])) != "SELECT"[i])
            return std::nullopt;
    return command.substr(start + 6);
}

std::wstring_view textAt(const void* buffer, const DBBINDING& binding)
{
    const auto* text = reinterpret_cast<const WCHAR*>(static_cast<const BYTE*>(buffer) + binding.obValue);
    const std::size_t capacity = binding.cbMaxLen / sizeof(WCHAR);
    std::size_t length = 0;
    while (length < capacity && text[length] != 0)
        ++length;
    return {text, length};
}

LONG numberAt(const void* buffer, const DBBINDING& binding)
{
    LONG number;
    std::memcpy(&number, static_cast<const BYTE*>(buffer) + binding.obValue, sizeof number);
    return number;
}

// The name under which every engine gives a row's handle.
constexpr const char* rowIdColumn = Database::RowIdColumn;

// A record binds at most as many columns as a column set has bits.
constexpr std::size_t mostBoundColumns = 64;

} // namespace

HRESULT Rowset::Execute(std::shared_ptr<Database> database, const std::wstring& command, bool changeable,
                        std::span<const DBBINDING> bindings, void* buffer, std::shared_ptr<Rowset>* rowset)
{
    rowset->reset();
    const std::string sql = WideToUtf8(command);
    const auto selected = afterSelect(sql);
    if (!selected)
        return ReportError(DB_E_ERRORSINCOMMAND, IID_ICommand,
                           L"Invalid SQL statement; expected 'SELECT': " + command + L".");
    // The same selection in the same order with the row handles first: the rowset's row handles,
    // and after them the command's columns.
    std::unique_ptr<Statement> handles;
    const HRESULT status =
        database->Prepare("SELECT " + std::string(rowIdColumn) + ", " + *selected, IID_ICommand, L"", &handles);
    if (FAILED(status))
        return status;

    auto opened = std::shared_ptr<Rowset>(new Rowset());
    opened->m_database = database;
    opened->m_changeable = changeable;
    for (int i = 1; i < handles->columnCount(); ++i) {
        const std::string origin = handles->columnOrigin(i);
        // An engine that keeps row handles in a column of the table shows it to no record.
        if (origin == rowIdColumn)
            continue;
        const std::string table = handles->columnTable(i);
        if (table.empty() || (!opened->m_table.empty() && table != opened->m_table))
            return ReportError(DB_E_ERRORSINCOMMAND, IID_ICommand,
                               L"The command must select columns of one table: " + command + L".");
        opened->m_table = table;
        opened->m_tableName = Utf8ToWide(table);
        opened->m_columns.push_back({i - 1, origin, handles->columnName(i), database->TextWidth(table, origin)});
    }
    // A failure of the command itself is the one told, rather than the columns it lacks.
    const HRESULT bound = opened->bind(bindings, buffer);
    // The rows' values are kept on the way for the moves, as long as the database can tell that
    // nothing else changed them since; the mark is taken before the rows are read, so that a change
    // made while they are read shows.
    const std::optional<Database::ChangeMark> mark = database->Changes(opened->m_tableName);
    const bool keep = mark && SUCCEEDED(bound) && !opened->m_bound.empty();
    int code;
    while ((code = handles->step()) == Statement::Row) {
        opened->m_rows.push_back(handles->columnInt(0));
        if (keep)
            opened->keep(*handles);
    }
    if (code != Statement::Done)
        return database->Fail(code, IID_ICommand, L"");
    if (FAILED(bound))
        return bound;
    opened->m_keptAt = mark;
    *rowset = std::move(opened);
    return S_OK;
}

HRESULT Rowset::bind(std::span<const DBBINDING> bindings, void* buffer)
{
    m_bound.clear();
    if (bindings.size() > mostBoundColumns)
        return ReportError(DB_E_BADBINDINFO, IID_IAccessor,
                           L"A record binds at most " + std::to_wstring(mostBoundColumns) + L" columns.");
    for (const DBBINDING& binding : bindings) {
        std::optional<std::size_t> column;
        if (binding.iOrdinal > 0 && binding.iOrdinal <= m_columns.size())
            column = binding.iOrdinal - 1;
        for (std::size_t i = 0; binding.iOrdinal == 0 && binding.pwszName && i < m_columns.size(); ++i)
            if (EqualsNoCase(m_columns[i].name, binding.pwszName))
                column = i;
        const bool typeKnown = binding.wType == DBTYPE_I4 || binding.wType == DBTYPE_WSTR;
        if (!column || !typeKnown)
            return ReportError(DB_E_BADBINDINFO, IID_IAccessor,
                               L"The record binds a column that the command does not return: " +
                                   (binding.pwszName ? std::wstring(binding.pwszName)
                                                     : L"ordinal " + std::to_wstring(binding.iOrdinal)) +
                                   L".");
        m_bound.push_back({*column, binding, 0, {}});
    }
    m_buffer = buffer;
    return S_OK;
}

HRESULT Rowset::MoveFirst() { return fetchFrom(0); }

HRESULT Rowset::MoveNext(LONG skip)
{
    const auto start = static_cast<long long>(m_next) + skip;
    if (start < 0)
        return ReportError(E_INVALIDARG, IID_IRowset, L"The rowset cannot move before its first row.");
    return fetchFrom(static_cast<std::size_t>(start));
}

HRESULT Rowset::MoveLast()
{
    HRESULT status = DB_S_ENDOFROWSET;
    // Rows another session deleted drop out, so the last row may lie further back.
    while (!m_rows.empty()) {
        const std::size_t last = m_rows.size() - 1;
        status = fetchFrom(last);
        if (status != DB_S_ENDOFROWSET)
            return status;
    }
    m_current.reset();
    return status;
}

HRESULT Rowset::fetchFrom(std::size_t index)
{
    HRESULT status = prepareOnce(m_select, [this] {
        return "SELECT " + (m_bound.empty() ? std::string(rowIdColumn) : boundNames(allBound())) + " FROM " +
               Database::Quote(m_table) + " WHERE " + rowIdColumn + " = ?";
    }, IID_IRowset);
    if (FAILED(status))
        return status;
    if (index < m_keptPlaces.size() && keptStill()) {
        readKept(index);
        m_current = index;
        m_next = index + 1;
        return S_OK;
    }
    while (index < m_rows.size()) {
        m_select->bind(1, m_rows[index]);
        const int code = m_select->step();
        if (code == Statement::Row) {
            readInto(*m_select);
            m_select->reset();
            m_current = index;
            m_next = index + 1;
            return S_OK;
        }
        m_select->reset();
        if (code != Statement::Done) {
            m_current.reset();
            return m_database->Fail(code, IID_IRowset, m_tableName);
        }
        // Deleted by another session since the command ran: it is no longer one of the rows.
        m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(index));
    }
    m_current.reset();
    m_next = m_rows.size();
    return DB_S_ENDOFROWSET;
}

void Rowset::readInto(const Statement& row)
{
    auto* buffer = static_cast<BYTE*>(m_buffer);
    for (std::size_t i = 0; i < m_bound.size(); ++i) {
        const DBBINDING& binding = m_bound[i].binding;
        BYTE* value = buffer + binding.obValue;
        const int column = static_cast<int>(i);
        if (binding.wType == DBTYPE_I4) {
            const LONG number = static_cast<LONG>(row.columnInt(column));
            std::memcpy(value, &number, sizeof number);
        } else {
            // A text longer than the buffer is cut to fit, with its terminating zero.
            row.columnText(column, reinterpret_cast<WCHAR*>(value), binding.cbMaxLen / sizeof(WCHAR));
        }
    }
    rememberAsRead(allBound());
}

void Rowset::keep(const Statement& row)
{
    m_keptPlaces.push_back(m_kept.size());
    for (const Bound& bound : m_bound) {
        const int column = m_columns[bound.column].index + 1;
        Kept& kept = m_kept.emplace_back(Kept{row.columnInt(column), 0, 0});
        if (bound.binding.wType == DBTYPE_WSTR) {
            // Read as the buffer takes it, cut to fit, straight after the texts kept before it.
            const std::size_t capacity = bound.binding.cbMaxLen / sizeof(WCHAR);
            kept.offset = m_keptLength;
            kept.length = row.columnText(column, keptRoom(capacity), capacity);
            m_keptLength += kept.length;
        }
    }
}

void Rowset::keepText(Kept& kept, std::wstring_view text)
{
    std::copy(text.begin(), text.end(), keptRoom(text.size()));
    kept.offset = m_keptLength;
    kept.length = text.size();
    m_keptLength += text.size();
}

WCHAR* Rowset::keptRoom(std::size_t count)
{
    // Grown by doubling, so that keeping every row of a group costs no more than one copy of them.
    if (m_keptTexts.size() < m_keptLength + count)
        m_keptTexts.resize(std::max(2 * m_keptTexts.size(), m_keptLength + count));
    return m_keptTexts.data() + m_keptLength;
}

void Rowset::readKept(std::size_t index)
{
    auto* buffer = static_cast<BYTE*>(m_buffer);
    const Kept* kept = &m_kept[m_keptPlaces[index]];
    for (const Bound& bound : m_bound) {
        BYTE* value = buffer + bound.binding.obValue;
        if (bound.binding.wType == DBTYPE_I4) {
            const auto number = static_cast<LONG>(kept->number);
            std::memcpy(value, &number, sizeof number);
        } else {
            auto* field = reinterpret_cast<WCHAR*>(value);
            std::copy_n(m_keptTexts.data() + kept->offset, kept->length, field);
            field[kept->length] = 0;
        }
        ++kept;
    }
    rememberAsRead(allBound());
}

bool Rowset::keptStill()
{
    if (!m_keptPlaces.empty() && m_database->Changes(m_tableName) != m_keptAt)
        dropKept();
    return !m_keptPlaces.empty();
}

bool Rowset::HoldsEveryRow() { return keptStill() && m_keptPlaces.size() == m_rows.size(); }

void Rowset::dropKept()
{
    m_kept.clear();
    m_keptTexts.clear();
    m_keptLength = 0;
    m_keptPlaces.clear();
}

void Rowset::keepAfterWrite(bool keptBefore)
{
    // The write is counted; another session's change, even one committed since, still shows.
    if (keptBefore && m_keptAt)
        m_keptAt->writes = m_database->Writes(m_tableName);
}

void Rowset::rememberAsRead(ColumnSet columns)
{
    for (std::size_t i = 0; i < m_bound.size(); ++i) {
        if (!(columns >> i & 1))
            continue;
        Bound& bound = m_bound[i];
        if (bound.binding.wType == DBTYPE_I4)
            bound.numberAsRead = numberAt(m_buffer, bound.binding);
        else
            bound.textAsRead.assign(textAt(m_buffer, bound.binding));
    }
}

bool Rowset::changedSinceRead(const Bound& bound) const
{
    if (bound.binding.wType == DBTYPE_I4)
        return numberAt(m_buffer, bound.binding) != bound.numberAsRead;
    return textAt(m_buffer, bound.binding) != bound.textAsRead;
}

HRESULT Rowset::bindValues(Statement& statement, ColumnSet columns, const IID& iid)
{
    int parameter = 1;
    for (std::size_t i = 0; i < m_bound.size(); ++i) {
        if (!(columns >> i & 1))
            continue;
        const Bound& bound = m_bound[i];
        if (bound.binding.wType == DBTYPE_I4) {
            statement.bind(parameter++, static_cast<std::int64_t>(numberAt(m_buffer, bound.binding)));
            continue;
        }
        const std::wstring_view text = textAt(m_buffer, bound.binding);
        const Column& column = m_columns[bound.column];
        if (column.width && text.size() > *column.width) {
            statement.reset();
            return ReportError(DB_E_ERRORSOCCURRED, iid,
                               L"The field '" + m_tableName + L"." + Utf8ToWide(column.origin) +
                                   L"' is too small to accept the amount of data you attempted to add (" +
                                   std::to_wstring(text.size()) + L" characters, at most " +
                                   std::to_wstring(*column.width) + L"). Try inserting or pasting less data.");
        }
        statement.bind(parameter++, text);
    }
    return S_OK;
}

HRESULT Rowset::Insert()
{
    std::optional<std::int64_t> id;
    HRESULT status = checkChangeable(IID_IRowsetChange);
    if (SUCCEEDED(status))
        status = m_database->RowIdAhead(m_table, &id);
    // A row whose handle is known goes in with it and need not wait for the engine's answer.
    std::unique_ptr<Statement>& insert = id ? m_insertWithId : m_insert;
    if (SUCCEEDED(status))
        status = prepareOnce(insert, [this, &id] {
            std::string marks;
            for (std::size_t i = 0; i < m_bound.size(); ++i)
                marks += i ? ", ?" : "?";
            return "INSERT INTO " + Database::Quote(m_table) + " (" + boundNames(allBound()) +
                   (id ? std::string(", ") + rowIdColumn : "") + ") VALUES (" + marks + (id ? ", ?" : "") + ")";
        }, IID_IRowsetChange);
    if (SUCCEEDED(status))
        status = bindValues(*insert, allBound(), IID_IRowsetChange);
    if (SUCCEEDED(status) && id)
        insert->bind(static_cast<int>(m_bound.size()) + 1, *id);
    // The new row comes after the kept ones and is read from the table.
    const bool kept = keptStill();
    if (SUCCEEDED(status))
        status = m_database->Write(*insert, IID_IRowsetChange, m_tableName);
    if (SUCCEEDED(status)) {
        m_rows.push_back(id ? *id : m_database->LastInsertedRow());
        keepAfterWrite(kept);
    }
    return status;
}

HRESULT Rowset::SetData()
{
    HRESULT status = checkChangeable(IID_IRowsetChange);
    if (SUCCEEDED(status) && !m_current)
        status = ReportError(DB_E_BADROWHANDLE, IID_IRowsetChange, L"There is no current row to change.");
    if (FAILED(status))
        return status;
    // Only the columns changed since the row was read are written; a row left as it was is not
    // written at all.
    ColumnSet changed = 0;
    for (std::size_t i = 0; i < m_bound.size(); ++i)
        if (changedSinceRead(m_bound[i]))
            changed |= ColumnSet{1} << i;
    if (!changed)
        return S_OK;
    std::unique_ptr<Statement>& update = m_updates[changed];
    if (!update)
        status = m_database->PrepareRowUpdate(m_table, boundOrigins(changed), IID_IRowsetChange, m_tableName, &update);
    if (SUCCEEDED(status))
        status = bindValues(*update, changed, IID_IRowsetChange);
    if (FAILED(status))
        return status;
    update->bind(std::popcount(changed) + 1, m_rows[*m_current]);
    const bool kept = keptStill();
    status = m_database->Write(*update, IID_IRowsetChange, m_tableName);
    if (SUCCEEDED(status) && m_database->ChangedRows() == 0)
        return ReportError(DB_E_DELETEDROW, IID_IRowsetChange, L"The row was deleted by another session.");
    if (FAILED(status))
        return status;
    rememberAsRead(changed);
    if (kept && *m_current < m_keptPlaces.size()) {
        Kept* row = &m_kept[m_keptPlaces[*m_current]];
        for (std::size_t i = 0; i < m_bound.size(); ++i) {
            const Bound& bound = m_bound[i];
            if (!(changed >> i & 1))
                continue;
            if (bound.binding.wType == DBTYPE_I4)
                row[i].number = bound.numberAsRead;
            else
                keepText(row[i], bound.textAsRead);
        }
    }
    keepAfterWrite(kept);
    return S_OK;
}

HRESULT Rowset::Delete()
{
    HRESULT status = checkChangeable(IID_IRowsetChange);
    if (SUCCEEDED(status) && !m_current)
        status = ReportError(DB_E_BADROWHANDLE, IID_IRowsetChange, L"There is no current row to delete.");
    if (SUCCEEDED(status))
        status = prepareOnce(m_delete, [this] { return "DELETE FROM " + Database::Quote(m_table) + " WHERE " + rowIdColumn + " = ?"; },
                             IID_IRowsetChange);
    if (FAILED(status))
        return status;
    m_delete->bind(1, m_rows[*m_current]);
    const bool kept = keptStill();
    status = m_database->Write(*m_delete, IID_IRowsetChange, m_tableName);
    if (FAILED(status))
        return status;
    // The next move reads the row that followed the deleted one. What was kept of the deleted row
    // stays where it is, so that a run of deletes moves no more than the row handles.
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(*m_current));
    if (*m_current < m_keptPlaces.size())
        m_keptPlaces.erase(m_keptPlaces.begin() + static_cast<std::ptrdiff_t>(*m_current));
    keepAfterWrite(kept);
    m_next = *m_current;
    m_current.reset();
    return S_OK;
}

HRESULT Rowset::checkChangeable(const IID& iid) const
{
    if (m_changeable)
        return S_OK;
    return ReportError(E_NOINTERFACE, iid, L"The rowset was opened for reading only.");
}

template <class Text>
HRESULT Rowset::prepareOnce(std::unique_ptr<Statement>& statement, Text text, const IID& iid)
{
    if (statement)
        return S_OK;
    return m_database->Prepare(text(), iid, m_tableName, &statement);
}

std::vector<std::string> Rowset::boundOrigins(ColumnSet columns) const
{
    std::vector<std::string> origins;
    for (std::size_t i = 0; i < m_bound.size(); ++i)
        if (columns >> i & 1)
            origins.push_back(m_columns[m_bound[i].column].origin);
    return origins;
}

std::string Rowset::boundNames(ColumnSet columns) const
{
    std::string names;
    for (const std::string& origin : boundOrigins(columns))
        names += (names.empty() ? "" : ", ") + Database::Quote(origin);
    return names;
}

Rowset::ColumnSet Rowset::allBound() const
{
    return m_bound.size() == mostBoundColumns ? ~ColumnSet{0} : (ColumnSet{1} << m_bound.size()) - 1;
}

} // namespace provider
