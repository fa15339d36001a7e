// The consumer's cursor over a rowset: moves load a row into the bound record, changes write the
// record back at once. The end of the rows shows as the absence of a current row.
#pragma once

#include "CSession.h"

#include <memory>
#include <span>
#include <string>

namespace provider {
class Rowset;
}

class CRowset {
public:
    HRESULT MoveFirst();
    HRESULT MoveNext();
    // Passes over skip rows, then loads the next one.
    HRESULT MoveNext(LONG skip);
    HRESULT MoveLast();
    // Adds the record as a new row; the current row stays as it was.
    HRESULT Insert();
    HRESULT SetData();
    HRESULT Delete();
    void Close();
    bool HasCurrentRow() const;
    // Whether the rowset holds every row as the table has it now, changed since only through
    // itself and with none added or deleted: opening the command again would read the same rows.
    bool HoldsEveryRow() const;

protected:
    // Runs command on the session and binds the record; rowset properties as in propertySet.
    HRESULT OpenRowset(const CSession& session, LPCWSTR command, const CDBPropSet* propertySet,
                       std::span<const DBBINDING> bindings, void* buffer);

private:
    std::shared_ptr<provider::Rowset> m_spRowset;
};
