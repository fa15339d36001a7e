// Register tables: header values and typed cells.
#include "RegTable.h"

#include "kernel/Text.h"

void RegTable::setHeader(std::wstring_view name, CpValue value)
{
    for (auto& [headerName, headerValue] : m_header)
        if (EqualsNoCase(headerName, name)) {
            headerValue = std::move(value);
            return;
        }
    m_header.emplace_back(std::wstring(name), std::move(value));
}

const CpValue* RegTable::header(std::wstring_view name) const
{
    for (const auto& [headerName, headerValue] : m_header)
        if (EqualsNoCase(headerName, name))
            return &headerValue;
    return nullptr;
}

bool RegTable::addColumn(std::wstring name, ColumnType type)
{
    if (columnIndex(name) >= 0)
        return false;
    m_columns.push_back({std::move(name), type});
    for (auto& row : m_rows)
        row.emplace_back();
    return true;
}

int RegTable::columnIndex(std::wstring_view name) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        if (EqualsNoCase(m_columns[i].name, name))
            return static_cast<int>(i);
    return -1;
}

std::size_t RegTable::addRow()
{
    m_rows.emplace_back(m_columns.size());
    return m_rows.size();
}

const RegTable::Cell* RegTable::cell(std::size_t row, std::wstring_view column, ColumnType type) const
{
    const int index = columnIndex(column);
    if (row < 1 || row > m_rows.size() || index < 0 || m_columns[index].type != type)
        return nullptr;
    return &m_rows[row - 1][index];
}

bool RegTable::setLong(std::size_t row, std::wstring_view column, LONG value)
{
    auto* target = const_cast<Cell*>(cell(row, column, ColumnType::Long));
    if (target)
        *target = value;
    return target != nullptr;
}

bool RegTable::setString(std::size_t row, std::wstring_view column, std::wstring value)
{
    auto* target = const_cast<Cell*>(cell(row, column, ColumnType::String));
    if (target)
        *target = std::move(value);
    return target != nullptr;
}

std::optional<LONG> RegTable::getLong(std::size_t row, std::wstring_view column) const
{
    const Cell* found = cell(row, column, ColumnType::Long);
    if (!found || !std::holds_alternative<LONG>(*found))
        return std::nullopt;
    return std::get<LONG>(*found);
}

std::optional<std::wstring> RegTable::getString(std::size_t row, std::wstring_view column) const
{
    const Cell* found = cell(row, column, ColumnType::String);
    if (!found || !std::holds_alternative<std::wstring>(*found))
        return std::nullopt;
    return std::get<std::wstring>(*found);
}
