// The FIA table's arrays, one entry a register row.
#include "CFIATable.h"

CFIATable::CFIATable(LONG nRows)
    : m_nRows(nRows),
      m_pVialNumber(std::make_unique<LONG[]>(static_cast<std::size_t>(nRows))),
      m_pInjPerVial(std::make_unique<LONG[]>(static_cast<std::size_t>(nRows))),
      m_pSampleName(std::make_unique<std::wstring[]>(static_cast<std::size_t>(nRows)))
{
}
