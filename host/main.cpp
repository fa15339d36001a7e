// orvane: the simulated chromatography data-system host that loads the Serion module.
#include "host/CommandModule.h"
#include "host/HostInstaller.h"
#include "host/HostOptions.h"

#include <iostream>

int main(int argc, char** argv)
{
    std::string error;
    const auto options = HostOptions::parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "orvane: " << error << "\n\n" << HostOptions::usage();
        return 2;
    }
    if (options->help) {
        std::cout << HostOptions::usage();
        return 0;
    }
    if (options->version) {
        std::cout << "orvane " << SERION_VERSION << "\n";
        return 0;
    }
    const HostRoot root(options->root);
    if (options->init && root.isInstalled()) {
        std::cerr << "orvane: " << root.path().string() << " holds an installation already; nothing was changed\n";
        return 1;
    }
    if (!root.isInstalled()) {
        if (!HostInstaller::install(root, error)) {
            std::cerr << "orvane: the installation failed: " << error << "\n";
            return 1;
        }
        std::cout << "Installed Orvane in " << root.path().string() << "\n";
    }
    if (options->init)
        return 0;

    const auto module = CommandModule::load(CommandModule::defaultCandidates(), error);
    if (!module)
        std::cout << "The Serion module is not available: " << error << "\n";
    return 0;
}
