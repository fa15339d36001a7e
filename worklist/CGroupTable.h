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

    CSession m_session;
};
