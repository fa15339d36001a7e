// The thread's hooks (WH_GETMESSAGE, WH_CBT, ...), the newest first in each chain.
#pragma once

#include "win/WinUser.h"

#include <vector>

class HookChain {
public:
    static HookChain& instance();

    HHOOK add(int type, HOOKPROC procedure);
    bool remove(HHOOK hook);
    // Calls the newest hook of the type, which passes on with CallNextHookEx; 0 when none.
    LRESULT callFirst(int type, int code, WPARAM wParam, LPARAM lParam);
    LRESULT callNext(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);

private:
    struct Hook {
        HHOOK handle;
        int type;
        HOOKPROC procedure;
    };
    LRESULT callFrom(std::size_t index, int type, int code, WPARAM wParam, LPARAM lParam);

    std::vector<Hook> m_hooks;
    std::uintptr_t m_nextHandle = 0x20000;
};
