// The beeps the user would have heard, kept so that tests and front ends can tell.
#pragma once

#include "win/WinUser.h"

#include <vector>

class BeepLog {
public:
    static std::vector<UINT>& beeps();
};
