// How the keyboard moves through a dialog: tab stops, WS_GROUP groups and mnemonics ("&Name").
#pragma once

#include "win/WinUser.h"

#include <vector>

class DialogNavigation {
public:
    // The dialog's own child that is or contains the window; null when there is none.
    static HWND directChild(HWND dialog, HWND window);
    // The controls of the control's group: from the WS_GROUP control that opens it up to the next.
    static std::vector<HWND> groupOf(HWND control);
    // Gives a control the focus as the keyboard does: an edit's text is selected.
    static void focusControl(HWND control);
    // The control whose label holds "&" before character (case-blind), searching after the focus;
    // only labels count: statics, group boxes and buttons.
    static HWND findMnemonic(HWND dialog, wchar_t character);
    // Acts on a mnemonic: a button is clicked, a label passes the focus to the control after it.
    static void useMnemonic(HWND dialog, HWND control);
    static bool canTakeInput(HWND control);
};
