// One planned run of a group's method table, and the run states a row goes through. The record is
// bound by column name, so the table's column order does not matter.
#pragma once

#include "oledb/CAccessor.h"

constexpr LONG RUNSTATE_CHECKED = 1;
constexpr LONG RUNSTATE_RUNNING = 2;
constexpr LONG RUNSTATE_DONE = 3;
constexpr LONG RUNSTATE_FAILED = 4;
constexpr LONG RUNSTATE_UNCHECKED = 5;
// Left running by a host that ended while the method ran; Continue runs it again.
constexpr LONG RUNSTATE_INTERRUPTED = 6;

struct MethodRecord {
    LONG aaaID;
    WCHAR MethodName[256];
    WCHAR DataFile[256];
    WCHAR Comments[256];
    LONG RunState;
    LONG Counter;
    WCHAR Operator[256];
    WCHAR Prefix[256];
    WCHAR SubFolder[256];
    WCHAR SysMethPath[256];
    LONG StartTime;
    LONG EndTime;
    WCHAR ErrMessage[256];

    BEGIN_COLUMN_MAP(MethodRecord)
        COLUMN_NAME(L"aaaID", aaaID)
        COLUMN_NAME(L"Method Name", MethodName)
        COLUMN_NAME(L"Data File", DataFile)
        COLUMN_NAME(L"Comments", Comments)
        COLUMN_NAME(L"Run State", RunState)
        COLUMN_NAME(L"Counter", Counter)
        COLUMN_NAME(L"Operator", Operator)
        COLUMN_NAME(L"Prefix", Prefix)
        COLUMN_NAME(L"Sub-Folder", SubFolder)
        COLUMN_NAME(L"SysMethPath", SysMethPath)
        COLUMN_NAME(L"StartTime", StartTime)
        COLUMN_NAME(L"EndTime", EndTime)
        COLUMN_NAME(L"ErrMessage", ErrMessage)
    END_COLUMN_MAP()
};
