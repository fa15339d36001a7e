// A record bound to a rowset's columns: the record class lists its columns with the column-map
// macros, by position (COLUMN_ENTRY) or by name (COLUMN_NAME), and the accessor hands those
// bindings and the record's own memory to the rowset.
#pragma once

#include "OleDb.h"

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <vector>

template <class Field>
constexpr DBTYPE DbTypeOf()
{
    if constexpr (std::is_array_v<Field>) {
        static_assert(std::is_same_v<std::remove_extent_t<Field>, WCHAR>, "text fields are wide");
        return DBTYPE_WSTR;
    } else {
        static_assert(std::is_same_v<Field, LONG>, "number fields are 32-bit");
        return DBTYPE_I4;
    }
}

#define BEGIN_COLUMN_MAP(record)                                                                 \
    using ColumnMapRecord = record;                                                              \
    static std::vector<DBBINDING> GetColumnBindings()                                            \
    {                                                                                            \
        return {
#define COLUMN_ENTRY(ordinal, field)                                                             \
    DBBINDING{ordinal, nullptr, offsetof(ColumnMapRecord, field), sizeof(ColumnMapRecord::field), \
              DbTypeOf<decltype(ColumnMapRecord::field)>()},
#define COLUMN_NAME(name, field)                                                                 \
    DBBINDING{0, name, offsetof(ColumnMapRecord, field), sizeof(ColumnMapRecord::field),          \
              DbTypeOf<decltype(ColumnMapRecord::field)>()},
#define END_COLUMN_MAP()                                                                         \
    };                                                                                           \
    }

template <class Record>
class CAccessor : public Record {
public:
    static_assert(std::is_trivially_copyable_v<Record> && std::is_standard_layout_v<Record>,
                  "a record is plain memory bound by offsets");

    CAccessor() { ClearRecord(); }
    void ClearRecord() { std::memset(static_cast<Record*>(this), 0, sizeof(Record)); }

protected:
    static std::vector<DBBINDING> GetBindings() { return Record::GetColumnBindings(); }
    void* GetBuffer() { return static_cast<Record*>(this); }
};
