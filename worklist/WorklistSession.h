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

// Makes the table with these columns when the database has none of that name yet.
HRESULT MakeMissingTable(const CSession& session, const wchar_t* table, std::span<const DBCOLUMNDESC> columns);

// A column that a later version added to a delivered table.
struct AddedColumn {
    const wchar_t* name;
    DBTYPE type;
    ULONG size;
};
// A table from an earlier version gains the columns it lacks, in order, so that every row binds.
HRESULT AddMissingColumns(const CSession& session, const wchar_t* table, std::span<const AddedColumn> columns);
