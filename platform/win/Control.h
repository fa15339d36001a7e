// The state a built-in control keeps beside its window (Win32 keeps it in the window's extra bytes).
#pragma once

class Control {
public:
    virtual ~Control() = default;
};
