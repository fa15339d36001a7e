// The main message loop, as every Windows program has it.
#include "HostLoop.h"

#include "win/WinUser.h"

int HostLoop::run()
{
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
