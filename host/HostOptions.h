// The options of the orvane command line.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class FrontEndChoice { Automatic, Terminal, LineMode };

struct HostOptions {
    std::filesystem::path root;
    bool init = false;
    // With init: a demo worklist besides.
    bool demo = false;
    std::optional<std::filesystem::path> script;
    FrontEndChoice frontEnd = FrontEndChoice::Automatic;
    bool help = false;
    bool version = false;

    // The options of argv (without the program name); empty, with the reason in error, for an
    // unknown option or one that lacks its value. The root defaults to ~/.orvane.
    static std::optional<HostOptions> parse(const std::vector<std::string>& arguments, std::string& error);
    static std::string usage();
};
