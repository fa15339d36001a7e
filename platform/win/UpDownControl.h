// The "msctls_updown32" class: a position in a range, stepped by its arrows (a click on the upper
// or lower half, or Up and Down in its buddy with UDS_ARROWKEYS). Each step asks the parent with
// UDN_DELTAPOS, shows the position in the buddy (UDS_SETBUDDYINT) and reports WM_VSCROLL.
#pragma once

#include "win/Control.h"
#include "win/WinUser.h"

#include <string>

class UpDownControl : public Control {
public:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK buddyProc(HWND buddy, UINT message, WPARAM wParam, LPARAM lParam);
    HWND setBuddy(HWND window, HWND buddy);
    void releaseBuddy();
    // Reads the buddy's number into the position; false when it holds none in range.
    bool readBuddy();
    void showInBuddy(HWND window) const;
    void step(HWND window, int direction);
    int clamp(int position) const;

    int m_lower = 100;   // Windows' default range runs from 100 down to 0
    int m_upper = 0;
    int m_position = 0;
    HWND m_buddy = nullptr;
};
