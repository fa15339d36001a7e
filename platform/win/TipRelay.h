// The tool tip a control keeps for itself (a list view's info tips, a tool bar's button tips):
// made with the control, given the control's mouse messages, destroyed with it.
#pragma once

#include "win/CommCtrl.h"

class TipRelay {
public:
    // A tip owned by the control's top-level window, so that it shows over the control's siblings.
    void create(HWND control);
    // A tip made elsewhere takes the place of the control's own.
    void set(HWND tip) { m_tip = tip; }
    void destroy();
    HWND tip() const { return m_tip; }
    // A mouse message of the control goes on to the tip, which times the rest on a tool.
    void relay(HWND control, UINT message, WPARAM wParam, LPARAM lParam) const;
    void pop() const;

private:
    HWND m_tip = nullptr;
};
