// The worklist's groups: group_tbl opened for change, in its natural order, on a session of its
// own. The main window keeps one for its whole life.
#pragma once

#include "GroupRecord.h"

#include "oledb/CCommand.h"

class CGroupTable : public CCommand<CAccessor<GroupRecord>> {
public:
    HRESULT OpenDataSource();
    // "SELECT * FROM group_tbl"; no row is loaded until the first move.
    HRESULT Open();
    // The rows again on the same session, another host's new rows included: inside an edit, what
    // the edit reads is what it writes beside.
    HRESULT Requery();
    // group_tbl's rows on another table's session, so that a write of both is one edit.
    HRESULT OpenOn(const CSession& session);

    CSession m_session;
};
