// The terminal colour nearest to a Windows colour, for the colours a dialog sets for its controls.
#pragma once

#include "Cell.h"

#include "kernel/WinTypes.h"

Color NearestTerminalColor(COLORREF colour);
