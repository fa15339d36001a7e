// A group's method table: its rows in "aaaID" order on a session of its own, and the creation and
// removal of a group's table. A failure leaves its error records for the caller to show.
#pragma once

#include "MethodRecord.h"

#include "module/core/WorklistPlace.h"
#include "oledb/CCommand.h"

#include <string>

class CTableDefinition;

class CMethodTable : public CCommand<CAccessor<MethodRecord>> {
public:
    // The table of the worklist at place, which outlives it.
    explicit CMethodTable(const WorklistPlace& place) : m_place(place) {}

    HRESULT OpenDataSource();
    // The rows of table name in "aaaID" order.
    HRESULT Open(const std::wstring& name);
    // The same table's rows again on the same session, so that an edit that reopens its table
    // midway stays inside its transaction.
    HRESULT Requery();
    // The rows of table name on the session opened already, read only, every row or those in
    // state onlyState.
    HRESULT OpenRowsToRead(const std::wstring& name, LONG onlyState = 0);
    HRESULT CreateMethodTable(const std::wstring& name);
    // The table alone, on the definition's session, so that it can be one edit with other
    // writes.
    static HRESULT CreateTable(CTableDefinition& definition, const std::wstring& name);
    HRESULT DropMethodTable(const std::wstring& name);
    // Gives up the rowset and the session.
    void CloseAll();

    const std::wstring& TableName() const { return m_strTableName; }
    const WorklistPlace& Place() const { return m_place; }

    CSession m_session;

private:
    // Steps shared by create and drop: a session when there is none, and its table definition.
    HRESULT OpenTableDefinition(CTableDefinition& definition);

    const WorklistPlace& m_place;
    std::wstring m_strTableName;
};
