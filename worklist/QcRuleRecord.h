// One row of the worklist's qc_tbl, bound by name: the group (its GroupID) and the rule's place in
// its rules, what it checks, its limits as texts, and its actions (QcCheck and QcAction values).
#pragma once

#include "oledb/CAccessor.h"

struct QcRuleRecord {
    LONG GroupID;
    LONG RuleNo;
    LONG CheckKind;
    WCHAR Low[32];
    WCHAR High[32];
    LONG Action;
    LONG ThenAction;
    WCHAR CalibrationGroup[51];

    BEGIN_COLUMN_MAP(QcRuleRecord)
        COLUMN_NAME(L"GroupID", GroupID)
        COLUMN_NAME(L"RuleNo", RuleNo)
        COLUMN_NAME(L"CheckKind", CheckKind)
        COLUMN_NAME(L"Low", Low)
        COLUMN_NAME(L"High", High)
        COLUMN_NAME(L"Action", Action)
        COLUMN_NAME(L"ThenAction", ThenAction)
        COLUMN_NAME(L"CalibrationGroup", CalibrationGroup)
    END_COLUMN_MAP()
};
