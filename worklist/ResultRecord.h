// One sample's results of a row's run, in the worklist's result_tbl, bound by name: the group and
// row ("aaaID") it belongs to with the row's data file and end, and what the instrument's
// RESULTS.CSV says of the sample, and what QC made of it. Figures are kept as the instrument wrote
// them, empty for none.
#pragma once

#include "oledb/CAccessor.h"

struct ResultRecord {
    WCHAR GroupName[256];
    LONG aaaID;
    WCHAR DataFile[256];
    LONG EndTime;
    LONG Location;
    WCHAR Sample[256];
    WCHAR Kind[16];
    WCHAR Expected[32];
    LONG Injections;
    WCHAR Height[32];
    WCHAR Area[32];
    WCHAR RSD[32];
    WCHAR Concentration[32];
    WCHAR R2[32];
    // "failed" when the sample broke a QC rule, "suspect" when a check standard failed after it was
    // measured and before a check passed again; empty otherwise.
    WCHAR QC[16];

    BEGIN_COLUMN_MAP(ResultRecord)
        COLUMN_NAME(L"GroupName", GroupName)
        COLUMN_NAME(L"aaaID", aaaID)
        COLUMN_NAME(L"DataFile", DataFile)
        COLUMN_NAME(L"EndTime", EndTime)
        COLUMN_NAME(L"Location", Location)
        COLUMN_NAME(L"Sample", Sample)
        COLUMN_NAME(L"Kind", Kind)
        COLUMN_NAME(L"Expected", Expected)
        COLUMN_NAME(L"Injections", Injections)
        COLUMN_NAME(L"Height", Height)
        COLUMN_NAME(L"Area", Area)
        COLUMN_NAME(L"RSD", RSD)
        COLUMN_NAME(L"Concentration", Concentration)
        COLUMN_NAME(L"R2", R2)
        COLUMN_NAME(L"QC", QC)
    END_COLUMN_MAP()
};
