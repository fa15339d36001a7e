// A session's table-definition interface: creates a table from column descriptions,
// adds a column to one and drops one.
#pragma once

#include "CSession.h"

#include <memory>

class CTableDefinition {
public:
    // Asks the session for the interface; fails when the session is not open.
    HRESULT Open(const CSession& session);
    // Text columns hold at most their column size (255 when none is given).
    HRESULT CreateTable(const DBID& tableId, ULONG count, const DBCOLUMNDESC* columns);
    HRESULT DropTable(const DBID& tableId);
    // Appends a column to an existing table; existing rows hold 0 or the empty text in it.
    // DB_E_DUPLICATECOLUMNID when the table has it already.
    HRESULT AddColumn(const DBID& tableId, const DBCOLUMNDESC& column);

private:
    std::shared_ptr<provider::Database> m_spDatabase;
};
