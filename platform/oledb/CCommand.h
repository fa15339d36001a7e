// A command whose result is a rowset bound to the accessor's record: the table objects of the
// worklist derive from CCommand<CAccessor<Record>>.
#pragma once

#include "CAccessor.h"
#include "CRowset.h"

template <class Accessor>
class CCommand : public Accessor, public CRowset {
public:
    CCommand() = default;
    CCommand(const CCommand&) = delete;
    CCommand& operator=(const CCommand&) = delete;

    // Runs command on the session in the provider's default dialect and binds the record; no row
    // is loaded until the first move.
    HRESULT Open(const CSession& session, LPCWSTR command, const CDBPropSet* propertySet = nullptr)
    {
        const auto bindings = Accessor::GetBindings();
        return OpenRowset(session, command, propertySet, bindings, Accessor::GetBuffer());
    }
};
