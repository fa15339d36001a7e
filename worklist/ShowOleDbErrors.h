// Shows the user the error records of the last failed database call of this thread.
#pragma once

#include "kernel/WinTypes.h"

// Does nothing for a status of 0 or more.
void ShowOleDbErrors(HRESULT status);
