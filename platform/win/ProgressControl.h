// The "msctls_progress32" class: a bar that fills as a position moves through a range (0 to 100
// unless set). The position always lies within the range.
#pragma once

#include "win/Control.h"
#include "win/WinUser.h"

#include <string>

class ProgressControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void describe(HWND window, WindowInfo& info, bool inView) override;
    std::wstring states(HWND window) override;

private:
    // The previous range, as the 16-bit PBM_SETRANGE returns it.
    LRESULT setRange(int low, int high);
    // The previous position.
    LRESULT setPosition(HWND window, int position);

    int m_low = 0;
    int m_high = 100;
    int m_position = 0;
};
