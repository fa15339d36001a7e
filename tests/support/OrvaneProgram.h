// Running the real orvane program as a user runs it, for the tests that drive it from outside.
#pragma once

#include <filesystem>
#include <string>

struct ProgramRun {
    int exitCode = -1;
    std::string output;
};

// Runs orvane with the arguments (and the input, when given), both outputs together.
ProgramRun runOrvane(const std::string& arguments, const std::filesystem::path& input = {});
