// One row of group_tbl, bound by position: the group's id, its name (also the name of its method
// table) and its shut-down command.
#pragma once

#include "oledb/CAccessor.h"

struct GroupRecord {
    LONG GroupID;
    WCHAR GroupName[51];
    WCHAR ShutDownOption[51];

    BEGIN_COLUMN_MAP(GroupRecord)
        COLUMN_ENTRY(1, GroupID)
        COLUMN_ENTRY(2, GroupName)
        COLUMN_ENTRY(3, ShutDownOption)
    END_COLUMN_MAP()
};
