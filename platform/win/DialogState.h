// What a dialog keeps beside its window: its default button, its font and, for a modal run,
// whether it has ended and with what result.
#pragma once

#include "win/WinUser.h"

struct DialogState {
    int defaultId = 0;   // 0: none, Enter then sends IDOK
    bool modal = false;
    HFONT font = nullptr;
    bool ended = false;
    INT_PTR result = 0;
};
