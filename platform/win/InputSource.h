// Where user input comes from when a message loop has nothing left to do: a test's script, the
// host's script mode or the terminal. Every loop, the main one and each modal one, consults it.
#pragma once

#include "win/WinUser.h"

#include <string>

class InputSource {
public:
    virtual ~InputSource() = default;

    // The loop's queue is empty. Perform the next user action now (through Automation, which
    // delivers it as input) and return true, or return false when there is none at this moment.
    virtual bool runNextAction() = 0;

    // Real clock only, after runNextAction had nothing: block until input may have arrived or
    // timeoutMs has passed (-1: no timer is due, so wait for input alone). Everything has been
    // processed by then, so this is also the moment to draw the screen.
    virtual void waitForInput(int timeoutMs) = 0;

    // Nothing can ever happen any more: no message, no action, no timer on the virtual clock.
    // window is the modal dialog that waits (null for the main loop) and snapshot its text
    // snapshot. On return the loop cancels that dialog (IDCANCEL), or the main loop ends as by
    // PostQuitMessage(0), so nothing hangs.
    virtual void reportStall(HWND window, const std::wstring& snapshot) = 0;
};
