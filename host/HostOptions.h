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
    // A lab's server database to create the delivered tables on, or to copy the root's worklist
    // onto; the program exits after either.
    std::optional<std::string> initServer;
    std::optional<std::string> copyToServer;
    // A root whose audit trail is checked; the program exits after it.
    std::optional<std::filesystem::path> verifyAudit;
    // --monitor [ADDRESS:]PORT: the web monitor's address and port.
    std::string monitorAddress = "127.0.0.1";
    std::optional<int> monitorPort;
    FrontEndChoice frontEnd = FrontEndChoice::Automatic;
    bool help = false;
    bool version = false;

    // The options of argv (without the program name); empty, with the reason in error, for an
    // unknown option or one that lacks its value. The root defaults to ~/.orvane.
    static std::optional<HostOptions> parse(const std::vector<std::string>& arguments, std::string& error);
    static std::string usage();
};
