// An up-down control: its range.
#pragma once

#include "CWnd.h"
#include "win/CommCtrl.h"

class CSpinButtonCtrl : public CWnd {
public:
    void SetRange32(int nLower, int nUpper);
};
