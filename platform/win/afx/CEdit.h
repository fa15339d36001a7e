// An edit control: its read-only state.
#pragma once

#include "CWnd.h"

class CEdit : public CWnd {
public:
    BOOL SetReadOnly(BOOL bReadOnly = TRUE);
};
