// The retry of results that the worklist could not take: tried again every two seconds, ten
// times, and then given up, so that a worklist put back in time loses nothing and one gone for
// good does not hold the run for ever.
#pragma once

#include "kernel/WinTypes.h"

class MethodRows;

class SaveRetry {
public:
    static constexpr UINT kIntervalMs = 2000;

    enum class Outcome { Saved, StillUnsaved, GivenUp };

    // Results are unsaved: the caller's timer calls Retry until it answers Saved or GivenUp.
    void Begin() { m_bRetrying = TRUE; }
    BOOL IsRetrying() const { return m_bRetrying; }
    // Tries to write rows' unsaved results once more.
    Outcome Retry(MethodRows& rows);

private:
    static constexpr int kRetries = 10;
    int m_nRetries = 0;
    BOOL m_bRetrying = FALSE;
};
