// Reading a captured table of the selected object.
#include "CDopTable.h"

#include <algorithm>

SHORT CDopTable::Capture(int mode, LPCWSTR tableName)
{
    RegObject* object = selectedObject();
    if (!object)
        return REG_ERR_NO_OBJECT;
    if (mode != 1)
        return REG_ERR_RANGE;
    if (!tableName || !object->table(tableName))
        return REG_ERR_NO_TABLE;
    m_tableName = tableName;
    return REG_OK;
}

SHORT CDopTable::Release()
{
    m_tableName.clear();
    return REG_OK;
}

RegTable* CDopTable::capturedTable() const
{
    RegObject* object = selectedObject();
    return object && !m_tableName.empty() ? object->table(m_tableName) : nullptr;
}

SHORT CDopTable::GetHdrNVUShort(LPCWSTR name, USHORT* value)
{
    RegTable* table = capturedTable();
    if (!table)
        return REG_ERR_NO_TABLE;
    const CpValue* header = name ? table->header(name) : nullptr;
    if (!header)
        return REG_ERR_NO_ITEM;
    if (header->isText())
        return REG_ERR_WRONG_TYPE;
    if (header->number() < 0 || header->number() > 65535)
        return REG_ERR_RANGE;
    if (value)
        *value = static_cast<USHORT>(header->number());
    return REG_OK;
}

USHORT CDopTable::GetRowMax()
{
    RegTable* table = capturedTable();
    return table ? static_cast<USHORT>(std::min<std::size_t>(table->rowCount(), 65535)) : 0;
}

SHORT CDopTable::GetSafeLong(USHORT row, LPCWSTR column, LONG* value)
{
    RegTable* table = capturedTable();
    const auto found = table && column ? table->getLong(row, column) : std::nullopt;
    if (value)
        *value = found.value_or(0);
    return !table ? REG_ERR_NO_TABLE : found ? REG_OK : REG_ERR_NO_ITEM;
}

SHORT CDopTable::GetSafeString(USHORT row, LPCWSTR column, std::wstring* value)
{
    RegTable* table = capturedTable();
    auto found = table && column ? table->getString(row, column) : std::nullopt;
    if (value)
        *value = found.value_or(L"");
    return !table ? REG_ERR_NO_TABLE : found ? REG_OK : REG_ERR_NO_ITEM;
}
