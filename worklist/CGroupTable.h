// The worklist's groups: group_tbl opened for change, in its natural order, on a session of its
// own. The main window keeps one for its whole life.
#pragma once

#include "GroupRecord.h"

#include "module/core/WorklistPlace.h"
#include "oledb/CCommand.h"

class CGroupTable : public CCommand<CAccessor<GroupRecord>> {
public:
    // The table of the worklist at place, which outlives it.
    explicit CGroupTable(const WorklistPlace& place) : m_place(place) {}

    HRESULT OpenDataSource();
    // "SELECT * FROM group_tbl"; no row is loaded until the first move.
    HRESULT Open();
    // The rows again on the same session, another host's new rows included: inside an edit, what
    // the edit reads is what it writes beside.
    HRESULT Requery();
    // group_tbl's rows on another table's session, so that a write of both is one edit.
    HRESULT OpenOn(const CSession& session);

    const WorklistPlace& Place() const { return m_place; }

    CSession m_session;

private:
    const WorklistPlace& m_place;
};
