// What the built-in controls share: notifying the parent, fonts, and asking the parent for
// colours (WM_CTLCOLOR...) as painting would, recording the answer for a front end.
#pragma once

#include "win/WinUser.h"
#include "win/WindowTable.h"

#include <memory>
#include <string>

class ControlSupport {
public:
    // WM_COMMAND with the control's id and code to its parent.
    static void notify(HWND control, WORD code);
    // WM_SETFONT and WM_GETFONT on the window record; true when the message was one of them.
    static bool handleFont(HWND control, UINT message, WPARAM wParam, LRESULT& result);
    // The WM_CTLCOLOR... message the control paints with; 0 for none.
    static UINT colorMessage(HWND control);
    // Sends it and records the colours the answer gives.
    static void askColors(HWND control);

    // The control's state object, made on first use; null for a destroyed window.
    template <typename State> static State* state(HWND control)
    {
        Window* window = WindowTable::instance().find(control);
        if (!window)
            return nullptr;
        if (!dynamic_cast<State*>(window->control.get()))
            window->control = std::make_unique<State>();
        return static_cast<State*>(window->control.get());
    }

    static bool isClass(HWND window, LPCWSTR className);
    static const std::wstring& text(HWND control);
    // Changes the text without a message, for a control that has already checked it.
    static void storeText(HWND control, std::wstring text);
};
