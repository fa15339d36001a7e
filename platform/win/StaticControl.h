// The "Static" class: text labels, frames, group-like rectangles and icons (SS_ICON). The mouse
// passes through a static unless it has SS_NOTIFY.
#pragma once

#include "win/Control.h"
#include "win/WinUser.h"

class StaticControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void describe(HWND window, WindowInfo& info, bool inView) override;

private:
    HICON m_icon = nullptr;
};
