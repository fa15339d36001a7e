// Reads a table of the selected register object: header values and typed cells by row number
// (from 1) and column name.
#pragma once

#include "CDopObject.h"

#include <string>

class CDopTable : public CDopObject {
public:
    // mode 1 captures for reading. REG_ERR_NO_TABLE when the object has no such table.
    SHORT Capture(int mode, LPCWSTR tableName);
    SHORT Release();

    // REG_ERR_NO_ITEM when missing, REG_ERR_WRONG_TYPE for a text, REG_ERR_RANGE outside
    // 0..65535; the value is left alone then.
    SHORT GetHdrNVUShort(LPCWSTR name, USHORT* value);
    // 0 when no table is captured.
    USHORT GetRowMax();
    // A missing cell writes 0 or the empty text and answers REG_ERR_NO_ITEM.
    SHORT GetSafeLong(USHORT row, LPCWSTR column, LONG* value);
    SHORT GetSafeString(USHORT row, LPCWSTR column, std::wstring* value);

private:
    std::wstring m_tableName;
    RegTable* capturedTable() const;
};
