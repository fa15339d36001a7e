// The rows a command selected, held as row handles (the engine's row ids, "rowid") in the
// command's order rather than as an open statement: a move reads one row, a change writes one row
// and commits. While the database can tell that nobody else changed them (within a
// transaction; on a file, always), the command's one pass keeps the rows' values as well, and the
// moves read those. The same rowset serves every engine through its statements.
#pragma once

#include "Database.h"
#include "OleDb.h"
#include "Statement.h"

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace provider {

class Rowset {
public:
    // Runs a command that selects columns of one table and ties the consumer's buffer to the
    // result columns (names are matched without regard to case). changeable: the rowset offers
    // insert, set-data and delete.
    static HRESULT Execute(std::shared_ptr<Database> database, const std::wstring& command, bool changeable,
                           std::span<const DBBINDING> bindings, void* buffer, std::shared_ptr<Rowset>* rowset);

    HRESULT MoveFirst();
    // Passes over skip rows after the current one, then reads the next.
    HRESULT MoveNext(LONG skip);
    HRESULT MoveLast();
    HRESULT Insert();
    HRESULT SetData();
    HRESULT Delete();
    bool HasCurrentRow() const { return m_current.has_value(); }
    // Whether the rowset holds every row as the table has it now: read by the command and changed
    // since only by this rowset's own writes, none of them an insert. Running the
    // command again would read the same rows, in the same order unless a write changed what it
    // sorts by.
    bool HoldsEveryRow();

private:
    struct Column {
        // Its place among the command's result columns.
        int index;
        std::string origin;
        std::wstring name;
        std::optional<ULONG> width;
    };
    // A result column tied to a field of the consumer's buffer, with the field's value as the
    // current row was read or last written, so that SetData writes only what changed.
    struct Bound {
        std::size_t column;
        DBBINDING binding;
        LONG numberAsRead = 0;
        std::wstring textAsRead;
    };
    // A set of bound columns, one bit for each in binding order.
    using ColumnSet = std::uint64_t;
    // A bound column's value in a kept row: the number, or where its text lies in m_keptTexts.
    struct Kept {
        std::int64_t number;
        std::size_t offset;
        std::size_t length;
    };

    HRESULT bind(std::span<const DBBINDING> bindings, void* buffer);
    HRESULT fetchFrom(std::size_t index);
    void readInto(const Statement& row);
    // Keeps the bound values of the command's row (the row id first, then the command's columns).
    void keep(const Statement& row);
    void readKept(std::size_t index);
    // Whether the kept rows are still as the table holds them: only this rowset wrote since.
    // Otherwise they are dropped.
    bool keptStill();
    void dropKept();
    // After a write of this rowset: the kept rows, still as the table holds them if they were before.
    void keepAfterWrite(bool keptBefore);
    void keepText(Kept& kept, std::wstring_view text);
    // Room for count more characters after the kept texts, written there in place.
    WCHAR* keptRoom(std::size_t count);
    void rememberAsRead(ColumnSet columns);
    bool changedSinceRead(const Bound& bound) const;
    // Binds the buffer's values of the columns as parameters 1..n; refuses a text wider than its
    // column.
    HRESULT bindValues(Statement& statement, ColumnSet columns, const IID& iid);
    HRESULT checkChangeable(const IID& iid) const;
    // Prepares the statement on first use; text builds its text then only.
    template <class Text>
    HRESULT prepareOnce(std::unique_ptr<Statement>& statement, Text text, const IID& iid);
    // The names of the columns in the table, in the order bound.
    std::vector<std::string> boundOrigins(ColumnSet columns) const;
    // The same quoted, separated by commas.
    std::string boundNames(ColumnSet columns) const;
    ColumnSet allBound() const;

    std::shared_ptr<Database> m_database;
    std::string m_table;
    std::wstring m_tableName;
    std::vector<Column> m_columns;
    bool m_changeable = false;
    std::vector<std::int64_t> m_rows;
    // The current row's place in m_rows, and where the next move starts reading.
    std::optional<std::size_t> m_current;
    std::size_t m_next = 0;

    std::vector<Bound> m_bound;
    void* m_buffer = nullptr;

    // The bound values of kept rows, m_bound.size() for each, as the database was at m_keptAt.
    std::vector<Kept> m_kept;
    // The kept texts, one after another in the first m_keptLength characters.
    std::vector<WCHAR> m_keptTexts;
    std::size_t m_keptLength = 0;
    // Where in m_kept the values of each of the first rows begin: the rows kept.
    std::vector<std::size_t> m_keptPlaces;
    std::optional<Database::ChangeMark> m_keptAt;

    std::unique_ptr<Statement> m_select;
    std::unique_ptr<Statement> m_insert;
    // The insert of a row whose handle the database gave ahead.
    std::unique_ptr<Statement> m_insertWithId;
    // One update for each set of changed columns that has been written.
    std::map<ColumnSet, std::unique_ptr<Statement>> m_updates;
    std::unique_ptr<Statement> m_delete;
};

} // namespace provider
