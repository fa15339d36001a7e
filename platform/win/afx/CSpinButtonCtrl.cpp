// Up-down control operations through the UDM_ messages.
#include "CSpinButtonCtrl.h"

void CSpinButtonCtrl::SetRange32(int nLower, int nUpper) { SendMessage(UDM_SETRANGE32, static_cast<WPARAM>(nLower), nUpper); }
