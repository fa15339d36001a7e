// A table of a register object: named header values and rows of typed columns (long, string).
// Rows are numbered from 1, as the register calls count them.
#pragma once

#include "CpValue.h"
#include "kernel/WinTypes.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class RegTable {
public:
    enum class ColumnType { Long, String };

    explicit RegTable(std::wstring name) : m_name(std::move(name)) {}
    const std::wstring& name() const { return m_name; }

    // Header values are numbers or texts; names are matched without regard to case.
    void setHeader(std::wstring_view name, CpValue value);
    const CpValue* header(std::wstring_view name) const;

    // False when a column of that name exists already.
    bool addColumn(std::wstring name, ColumnType type);
    // The column's index from 0, or -1.
    int columnIndex(std::wstring_view name) const;
    std::size_t columnCount() const { return m_columns.size(); }
    const std::wstring& columnName(std::size_t index) const { return m_columns[index].name; }
    ColumnType columnType(std::size_t index) const { return m_columns[index].type; }

    // Appends an empty row and answers its number.
    std::size_t addRow();
    std::size_t rowCount() const { return m_rows.size(); }
    // False for a row or column that does not exist or a column of the other type.
    bool setLong(std::size_t row, std::wstring_view column, LONG value);
    bool setString(std::size_t row, std::wstring_view column, std::wstring value);
    // Empty for a missing row, column or cell, or a column of the other type.
    std::optional<LONG> getLong(std::size_t row, std::wstring_view column) const;
    std::optional<std::wstring> getString(std::size_t row, std::wstring_view column) const;

private:
    using Cell = std::variant<std::monostate, LONG, std::wstring>;
    struct Column {
        std::wstring name;
        ColumnType type;
    };
    std::wstring m_name;
    std::vector<std::pair<std::wstring, CpValue>> m_header;
    std::vector<Column> m_columns;
    std::vector<std::vector<Cell>> m_rows;

    const Cell* cell(std::size_t row, std::wstring_view column, ColumnType type) const;
};
