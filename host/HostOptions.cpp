// Parsing the orvane command line.
#include "HostOptions.h"

#include <cstdlib>

namespace {

std::filesystem::path defaultRoot()
{
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : ".") / ".orvane";
}

// "[ADDRESS:]PORT" into the options; false for a port that is no number from 1 to 65535.
bool parseMonitor(const std::string& value, HostOptions& options)
{
    const std::size_t colon = value.rfind(':');
    const std::string port = colon == std::string::npos ? value : value.substr(colon + 1);
    if (colon != std::string::npos && colon > 0)
        options.monitorAddress = value.substr(0, colon);
    if (port.empty() || port.size() > 5 || port.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int number = std::stoi(port);
    if (number < 1 || number > 65535)
        return false;
    options.monitorPort = number;
    return true;
}

} // namespace

std::optional<HostOptions> HostOptions::parse(const std::vector<std::string>& arguments, std::string& error)
{
    HostOptions options;
    options.root = defaultRoot();
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "--root" || argument == "--script" || argument == "--init-server" ||
                                argument == "--copy-to-server" || argument == "--verify-audit" ||
                                argument == "--monitor";
        if (takesValue && i + 1 >= arguments.size()) {
            error = argument + " needs a value";
            return std::nullopt;
        }
        if (argument == "--root")
            options.root = arguments[++i];
        else if (argument == "--script")
            options.script = arguments[++i];
        else if (argument == "--init-server")
            options.initServer = arguments[++i];
        else if (argument == "--copy-to-server")
            options.copyToServer = arguments[++i];
        else if (argument == "--verify-audit")
            options.verifyAudit = arguments[++i];
        else if (argument == "--monitor") {
            if (!parseMonitor(arguments[++i], options)) {
                error = "--monitor takes [ADDRESS:]PORT, a port from 1 to 65535";
                return std::nullopt;
            }
        } else if (argument == "--init")
            options.init = true;
        else if (argument == "--demo")
            options.demo = true;
        else if (argument == "--tui")
            options.frontEnd = FrontEndChoice::Terminal;
        else if (argument == "--no-tui")
            options.frontEnd = FrontEndChoice::LineMode;
        else if (argument == "--help" || argument == "-h")
            options.help = true;
        else if (argument == "--version")
            options.version = true;
        else {
            error = "unknown option \"" + argument + "\"";
            return std::nullopt;
        }
    }
    if (options.demo && !options.init) {
        error = "--demo goes with --init: it fills a fresh root's worklist";
        return std::nullopt;
    }
    return options;
}

std::string HostOptions::usage()
{
    return "Usage: orvane [--root DIR] [--init [--demo]] [--script FILE] [--tui | --no-tui]\n"
           "              [--monitor [ADDRESS:]PORT]\n"
           "       orvane --init-server CONNECTION | [--root DIR] --copy-to-server CONNECTION\n"
           "       orvane --verify-audit ROOT\n"
           "\n"
           "The simulated Orvane host: loads the Serion module, runs host command lines and\n"
           "simulates the instrument.\n"
           "\n"
           "  --root DIR     the installation to use (default: ~/.orvane); installed on first start\n"
           "  --init         install a fresh root and exit\n"
           "  --demo         with --init: also the demo groups \"Nitrates\", \"Overnight\" and \"Recalibration\"\n"
           "  --script FILE  run a script of command lines on the virtual clock\n"
           "  --init-server CONNECTION\n"
           "                 make the delivered worklist tables on an empty PostgreSQL database\n"
           "  --copy-to-server CONNECTION\n"
           "                 copy the root's worklist onto an empty PostgreSQL database, checked row by row\n"
           "  --verify-audit ROOT\n"
           "                 check that no record of ROOT's audit trail was changed, removed or inserted\n"
           "  --monitor [ADDRESS:]PORT\n"
           "                 serve the read-only web monitor (default address 127.0.0.1)\n"
           "  --tui          use the terminal front end\n"
           "  --no-tui       read command lines from standard input (line mode)\n"
           "  --help         show this text\n"
           "  --version      show the version\n";
}
