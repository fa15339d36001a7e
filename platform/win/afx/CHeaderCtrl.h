// The header control above a report list: its items' texts and widths.
#pragma once

#include "CWnd.h"
#include "win/CommCtrl.h"

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const;
    BOOL GetItem(int nPos, HDITEMW* pHeaderItem) const;
    BOOL SetItem(int nPos, HDITEMW* pHeaderItem);
};
