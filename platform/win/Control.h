// The state a built-in control keeps beside its window (Win32 keeps it in the window's extra bytes).
#pragma once

#include "kernel/WinTypes.h"

#include <string>

class Control {
public:
    virtual ~Control() = default;
    // What a text snapshot shows of the control beyond its class, id and text; empty for most.
    virtual std::wstring states(HWND) { return {}; }
};
