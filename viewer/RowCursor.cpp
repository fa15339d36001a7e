// Which rows a run takes, in order.
#include "RowCursor.h"

#include "worklist/MethodRows.h"

void RowCursor::StartFresh()
{
    m_bContinuing = FALSE;
    m_nKey = 0;
    m_stoppedRow.reset();
}

void RowCursor::StartContinue(std::optional<LONG> stoppedRow)
{
    m_bContinuing = TRUE;
    m_nKey = 0;
    m_stoppedRow = stoppedRow;
}

BOOL RowCursor::WillRun(const MethodRecord& row) const
{
    if (!m_bContinuing)
        return row.RunState != RUNSTATE_UNCHECKED;
    return row.aaaID == m_stoppedRow || row.RunState == RUNSTATE_CHECKED || row.RunState == RUNSTATE_RUNNING ||
           row.RunState == RUNSTATE_INTERRUPTED;
}

MethodRecord* RowCursor::First(MethodRows& rows)
{
    m_nKey = 0;
    return Find(rows);
}

MethodRecord* RowCursor::Next(MethodRows& rows)
{
    ++m_nKey;
    return Find(rows);
}

MethodRecord* RowCursor::Find(MethodRows& rows)
{
    if (!m_bContinuing)
        return rows.FindRow(m_nKey, TRUE);
    // The row a Stop aborted runs again although it failed; it comes before later rows.
    if (m_stoppedRow && *m_stoppedRow >= m_nKey) {
        LONG nKey = m_nKey;
        if (!rows.FindRowToContinue(nKey) || nKey > *m_stoppedRow) {
            m_nKey = *m_stoppedRow;
            return rows.FindRowById(*m_stoppedRow, FALSE);
        }
    }
    return rows.FindRowToContinue(m_nKey);
}
