// The FIA table of one method as its FIA.REG holds it: per row the vial (location) number, the
// injections per vial and the sample name. Index 0 holds register row 1.
#pragma once

#include "kernel/WinTypes.h"

#include <memory>
#include <string>

class CFIATable {
public:
    // nRows is at least 1.
    explicit CFIATable(LONG nRows);

    const LONG m_nRows;
    std::unique_ptr<LONG[]> m_pVialNumber;
    std::unique_ptr<LONG[]> m_pInjPerVial;
    std::unique_ptr<std::wstring[]> m_pSampleName;
};
