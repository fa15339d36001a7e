// One row of group_tbl, bound by position: the group's id, its name (also the name of its method
// table), its shut-down command, the command that brings the instrument to a defined state before
// an interrupted run goes on, what a failed row does to the run, what the group's last run
// left behind, and its place in a queue of groups.
#pragma once

#include "oledb/CAccessor.h"

// What a run does after a row of the group failed.
constexpr LONG ONFAILURE_GO_ON = 0;
constexpr LONG ONFAILURE_PAUSE = 1;
constexpr LONG ONFAILURE_STOP = 2;

// A run still open that a host found interrupted: told once, whoever shows the group later.
constexpr LONG RUNOPEN_INTERRUPTED = 2;
// A run that waits while its calibration group, the first of its queue, runs: its turn continues it.
constexpr LONG RUNOPEN_CALIBRATING = 3;

struct GroupRecord {
    LONG GroupID;
    WCHAR GroupName[51];
    WCHAR ShutDownOption[51];
    WCHAR RecoveryCommand[51];
    // 1 from a run's start until its shut-down command has been sent; RUNOPEN_INTERRUPTED once a
    // host has found the run interrupted and told of it.
    LONG RunOpen;
    // The row a Stop aborted, counted from 1 ("aaaID" + 1); 0 for none. Continue runs it again.
    LONG StoppedRow;
    LONG OnFailure;
    // Sent once when the failure policy pauses or stops the run.
    WCHAR EmergencyCommand[51];
    // The queue that runs the group after the groups before it: the queue's id (its first group's
    // GroupID) and the group's place in it, from 1; both 0 outside a queue.
    LONG QueueID;
    LONG QueuePos;

    BEGIN_COLUMN_MAP(GroupRecord)
        COLUMN_ENTRY(1, GroupID)
        COLUMN_ENTRY(2, GroupName)
        COLUMN_ENTRY(3, ShutDownOption)
        COLUMN_ENTRY(4, RecoveryCommand)
        COLUMN_ENTRY(5, RunOpen)
        COLUMN_ENTRY(6, StoppedRow)
        COLUMN_ENTRY(7, OnFailure)
        COLUMN_ENTRY(8, EmergencyCommand)
        COLUMN_ENTRY(9, QueueID)
        COLUMN_ENTRY(10, QueuePos)
    END_COLUMN_MAP()
};
