// The location text of a vial on the instrument's tray.
#pragma once

#include "kernel/WinTypes.h"

constexpr SHORT CB_ERR_VIAL = 100;

// "Vial 12" for vial 12, cut to capacity-1 characters and terminated. CB_ERR_VIAL and an empty
// text for a vial number below 1. flags must be 0.
SHORT CbVialLocation(int vial, LPWSTR buffer, int capacity, int flags);
