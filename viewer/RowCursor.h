// Which rows a run takes, in order: a fresh run its checked rows; Continue the rows that have not
// completed, with the row that a Stop aborted run again in its place.
#pragma once

#include "kernel/WinTypes.h"

#include <optional>

class MethodRows;
struct MethodRecord;

class RowCursor {
public:
    void StartFresh();
    // Continue: stoppedRow is the row ("aaaID") that the last Stop aborted, to be run again.
    void StartContinue(std::optional<LONG> stoppedRow);
    // Whether a row takes part in the run from here on.
    BOOL WillRun(const MethodRecord& row) const;
    // The run's first row; null when there is none.
    MethodRecord* First(MethodRows& rows);
    // The row after the one found last; null when the rows run out.
    MethodRecord* Next(MethodRows& rows);

    // The row a Stop aborted, which Continue runs again; empty for none.
    std::optional<LONG> StoppedRow() const { return m_stoppedRow; }
    void SetStoppedRow(std::optional<LONG> row) { m_stoppedRow = row; }

private:
    MethodRecord* Find(MethodRows& rows);

    BOOL m_bContinuing = FALSE;
    // Where the search goes on: the "aaaID" of the row found last.
    LONG m_nKey = 0;
    std::optional<LONG> m_stoppedRow;
};
