// One row of group_tbl, bound by position: the group's id, its name (also the name of its method
// table), its shut-down command, the command that brings the instrument to a defined state before
// an interrupted run goes on, and what the group's last run left behind.
#pragma once

#include "oledb/CAccessor.h"

struct GroupRecord {
    LONG GroupID;
    WCHAR GroupName[51];
    WCHAR ShutDownOption[51];
    WCHAR RecoveryCommand[51];
    // 1 from a run's start until its shut-down command has been sent.
    LONG RunOpen;
    // The row a Stop aborted, counted from 1 ("aaaID" + 1); 0 for none. Continue runs it again.
    LONG StoppedRow;

    BEGIN_COLUMN_MAP(GroupRecord)
        COLUMN_ENTRY(1, GroupID)
        COLUMN_ENTRY(2, GroupName)
        COLUMN_ENTRY(3, ShutDownOption)
        COLUMN_ENTRY(4, RecoveryCommand)
        COLUMN_ENTRY(5, RunOpen)
        COLUMN_ENTRY(6, StoppedRow)
    END_COLUMN_MAP()
};
