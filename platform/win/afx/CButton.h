// A button control: the check state of check boxes and radio buttons.
#pragma once

#include "CWnd.h"

class CButton : public CWnd {
public:
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(nCheck)); }
};
