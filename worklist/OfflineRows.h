// The shown group's rows as the run last saw them, kept in memory while a run on a lab server
// goes on, so that the run still finds its rows while the server cannot be reached. Texts are kept
// at their length, not at their fields' width, so that a group of 100,000 rows stays small.
#pragma once

#include "MethodRecord.h"

#include <functional>
#include <string>
#include <vector>

class CMethodTable;

class OfflineRows {
public:
    // Reads every row of table; FALSE, keeping nothing, when they cannot all be read.
    BOOL Keep(CMethodTable& table);
    void Clear() { m_rows.clear(); }
    BOOL IsKept() const { return !m_rows.empty(); }
    // The kept row with row's "aaaID" becomes row as it is now.
    void Update(const MethodRecord& row);

    // The first kept row from "aaaID" id on for which take says yes, copied into found, id following
    // it; FALSE when the rows run out.
    BOOL Find(LONG& id, const std::function<bool(const MethodRecord&)>& take, MethodRecord& found) const;
    // The "aaaID"s of the kept rows in state, in order.
    std::vector<LONG> RowsInState(LONG state) const;

private:
    struct Row {
        LONG aaaID;
        LONG RunState;
        LONG Counter;
        LONG StartTime;
        LONG EndTime;
        std::wstring MethodName, DataFile, Comments, Operator, Prefix, SubFolder, SysMethPath, ErrMessage;
    };
    static Row From(const MethodRecord& record);
    static void CopyTo(const Row& row, MethodRecord& record);

    // In "aaaID" order, as the table gives them.
    std::vector<Row> m_rows;
};
