// What every message loop shares: taking the next message through the hooks, delivering it
// through the innermost modal dialog's keyboard handling, and what an idle loop does: timers,
// the input source, waiting, or a reported stall. Nothing here ever hangs.
#pragma once

#include "win/WinUser.h"

#include <vector>

class MessageLoop {
public:
    // Takes a message passing the filter, calling the WH_GETMESSAGE hooks; runs due timers first
    // when none is queued. False when there is none.
    static bool retrieve(MSG& message, HWND window, UINT first, UINT last, UINT removeFlags);
    // Waits for a message passing the filter, as GetMessageW does.
    static void waitForMessage(MSG& message, HWND window, UINT first, UINT last);
    // The innermost modal dialog's keyboard handling first, then translate and dispatch.
    static void deliver(MSG& message);
    // Delivers what is queued now without waiting; leaves WM_QUIT in the queue.
    static void deliverPending();

    // Runs a modal dialog until it ends or is destroyed.
    static void runModal(HWND dialog);
    static HWND innermostModal();

    // One step of an idle loop: due timers, the input source's next action, then on the virtual
    // clock a jump to the next timer, on the real clock a wait. False when nothing can ever happen.
    static bool idle();
    // Reports that nothing can happen while window waits, then ends the wait (see InputSource).
    static void reportStall(HWND window);
};
