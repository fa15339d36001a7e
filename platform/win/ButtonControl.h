// The "Button" class: push, default push, check box, radio button (automatic ones in their
// WS_GROUP group) and group box. A click is a press and a release inside, or Space.
#pragma once

#include "win/Control.h"
#include "win/WinUser.h"

class ButtonControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void describe(HWND window, WindowInfo& info, bool inView) override;

private:
    static ButtonControl* of(HWND window);
    void click(HWND window);

    UINT m_check = BST_UNCHECKED;
    bool m_pushed = false;
};
