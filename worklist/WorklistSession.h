// How every table object of the worklist reaches the database: its own data source and session on
// the worklist of the place it is handed, and the rowset properties of a table the module writes.
#pragma once

#include "module/core/WorklistPlace.h"
#include "oledb/CSession.h"

#include <span>

// The initialisation group of the group and method tables: the file name only.
CDBPropSet WorklistDataSourceProperties(const WorklistPlace& place);
// The user table's complete initialisation group.
CDBPropSet UserDataSourceProperties(const WorklistPlace& place);
// Change, delete and insert, all required; every write takes effect at once.
CDBPropSet ChangeableRowsetProperties();

// Opens the place's provider with init and creates session; the data source itself lives on in the
// session only.
HRESULT OpenWorklistSession(CSession& session, const WorklistPlace& place, const CDBPropSet& init);

// A column of a table the module makes; a text column's size is its width (255 when 0).
DBCOLUMNDESC TableColumn(const wchar_t* name, DBTYPE type, ULONG size = 0);

// A column that a later version added to a delivered table.
struct AddedColumn {
    const wchar_t* name;
    DBTYPE type;
    ULONG size;
};

// Makes the table with these columns when the database has none of that name yet, and gives a
// table of an earlier version the added columns it lacks. A session asks the database once: a
// method's end writes through the same session again and again.
HRESULT MakeMissingTable(const CSession& session, const wchar_t* table, std::span<const DBCOLUMNDESC> columns,
                         std::span<const AddedColumn> added = {});
// The session asks again about its tables: an edit that was not committed took along a table it
// made, and its write may have failed because another host dropped one since.
void ForgetKnownTables(const CSession& session);

// A table from an earlier version gains the columns it lacks, in order, so that every row binds.
HRESULT AddMissingColumns(const CSession& session, const wchar_t* table, std::span<const AddedColumn> columns);
