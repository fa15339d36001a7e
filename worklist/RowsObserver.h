// What shows a group's rows hears from them: every row anew, or one row's new run state. The
// method list observes the rows so that the row algorithms need no window.
#pragma once

#include "ResultRecord.h"

#include "kernel/WinTypes.h"

#include <vector>

class RowsObserver {
public:
    virtual ~RowsObserver() = default;
    // Show all rows again.
    virtual void Refill() = 0;
    // Row aaaID changed to state; a null message leaves its message as shown. A row's end comes
    // with the results written with it.
    virtual void UpdateRowState(LONG aaaID, LONG state, const wchar_t* message,
                                const std::vector<ResultRecord>& results) = 0;
};
