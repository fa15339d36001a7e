// Which keys are down and where the mouse is. GetKeyState answers for the message being handled,
// so keys are counted down when their message leaves the queue; the injector needs to know, as
// the hardware would, whether Alt is held while it posts.
#pragma once

#include "win/WinUser.h"

#include <array>

class KeyboardState {
public:
    static KeyboardState& instance();

    // A key message has left the queue.
    void noteRetrieved(const MSG& message);
    bool isDown(int virtualKey) const;

    std::array<bool, 256> injectedDown{};   // as posted, ahead of the queue
    POINT cursor{0, 0};
    // The tick count at which the last key or mouse message was posted.
    DWORD lastInputTime = 0;

private:
    std::array<bool, 256> m_down{};
};
