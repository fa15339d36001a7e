// The host's main message loop. When it has nothing to do it asks the input source (the script,
// the command line or the front end) for the next user action.
#pragma once

class HostLoop {
public:
    // Runs until a quit message comes; answers its exit code.
    static int run();
};
