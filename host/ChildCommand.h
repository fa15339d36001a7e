// A shell command line run as a child process with extra environment variables and a text on its
// standard input; its whole process group ends with it, or when it outlasts its time limit.
#pragma once

#include <chrono>
#include <string>
#include <vector>

class ChildCommand {
public:
    struct Outcome {
        bool started = false;
        bool timedOut = false;
        // The exit status, or 128 plus the signal that ended it.
        int status = -1;
        // The last line the command wrote to its standard output or error, for the logbook.
        std::string lastLine;
        // Why the command did not start.
        std::string error;

        bool succeeded() const { return started && !timedOut && status == 0; }
    };

    // Blocks the calling thread until the command ends or its limit is reached: run it on a
    // thread of its own. environment holds "NAME=value" entries added to the host's.
    static Outcome run(const std::string& commandLine, const std::vector<std::string>& environment,
                       const std::string& input, std::chrono::milliseconds limit);
};
