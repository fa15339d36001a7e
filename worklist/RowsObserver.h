// What shows a group's rows hears from them: every row anew, or one row's new run state. The
// method list observes the rows so that the row algorithms need no window.
#pragma once

#include "kernel/WinTypes.h"

class RowsObserver {
public:
    virtual ~RowsObserver() = default;
    // Show all rows again.
    virtual void Refill() = 0;
    // Row aaaID changed to state; a null message leaves its message as shown.
    virtual void UpdateRowState(LONG aaaID, LONG state, const wchar_t* message) = 0;
};
