// The program runs in a shell with its outputs joined, so a test sees what a user would.
#include "OrvaneProgram.h"

#include <sys/wait.h>

#include <cstdio>

ProgramRun runOrvane(const std::string& arguments, const std::filesystem::path& input)
{
    std::string command = std::string(ORVANE_PROGRAM_PATH) + " " + arguments + " 2>&1";
    command += input.empty() ? " </dev/null" : " <" + input.string();
    ProgramRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char chunk[4096];
    while (const std::size_t count = fread(chunk, 1, sizeof chunk, pipe))
        run.output.append(chunk, count);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}
