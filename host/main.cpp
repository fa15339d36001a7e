// orvane: the simulated chromatography data-system host that loads the Serion module.
#include <cstring>
#include <iostream>
#include <string_view>

namespace {

void printHelp()
{
    std::cout << "Usage: orvane [--root DIR] [--init] [--script FILE] [--tui | --no-tui]\n"
                 "\n"
                 "The simulated Orvane host: loads the Serion module, runs host command lines and\n"
                 "simulates the instrument.\n"
                 "\n"
                 "  --root DIR     the installation to use (default: ~/.orvane)\n"
                 "  --init         install a fresh root and exit\n"
                 "  --script FILE  run a script of command lines on the virtual clock\n"
                 "  --help         show this text\n"
                 "  --version      show the version\n";
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") {
            printHelp();
            return 0;
        }
        if (argument == "--version") {
            std::cout << "orvane " << SERION_VERSION << "\n";
            return 0;
        }
    }
    printHelp();
    return 0;
}
