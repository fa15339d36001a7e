// The retry of results that the worklist could not take.
#include "SaveRetry.h"

#include "worklist/MethodRows.h"

SaveRetry::Outcome SaveRetry::Retry(MethodRows& rows)
{
    rows.SaveUnsaved();
    if (rows.HasUnsaved() && ++m_nRetries < kRetries)
        return Outcome::StillUnsaved;
    const BOOL bSaved = !rows.HasUnsaved();
    m_nRetries = 0;
    m_bRetrying = FALSE;
    return bSaved ? Outcome::Saved : Outcome::GivenUp;
}
