// The state a built-in control keeps beside its window (Win32 keeps it in the window's extra bytes).
#pragma once

#include "kernel/WinTypes.h"

#include <string>

struct WindowInfo;

class Control {
public:
    virtual ~Control() = default;
    // Adds what the control shows beyond a window's own text and states: an edit's selection, a
    // button's check, a list's rows (with the colours of those in view only when inView).
    virtual void describe(HWND, WindowInfo&, bool /*inView*/) {}
    // What a text snapshot shows of the control beyond its class, id and text; empty for most.
    virtual std::wstring states(HWND) { return {}; }
};
