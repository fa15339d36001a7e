// orvane: the simulated chromatography data-system host that loads the Serion module.
#include "host/AuditVerification.h"
#include "host/Host.h"
#include "host/HostInstaller.h"
#include "host/HostLoop.h"
#include "host/HostOptions.h"
#include "host/LineMode.h"
#include "host/PowerFailure.h"
#include "host/ScriptRunner.h"
#include "host/ServerWorklist.h"
#include "tui/TerminalSession.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"

#include <unistd.h>

#include <iostream>

namespace {

void show(const std::wstring& line) { std::cout << WideToUtf8(line) << std::endl; }

// Installs the root when it holds no installation yet; false when that fails.
bool ensureInstalled(const HostRoot& root)
{
    if (root.isInstalled())
        return true;
    std::string error;
    if (!HostInstaller::install(root, error)) {
        std::cerr << "orvane: the installation failed: " << error << "\n";
        return false;
    }
    std::cout << "Installed Orvane in " << root.path().string() << "\n";
    return true;
}

// Makes the delivered tables on a server, or copies the root's worklist onto one.
int prepareServer(const HostOptions& options, const HostRoot& root)
{
    std::string error;
    long rows = 0;
    const bool copying = options.copyToServer.has_value();
    const std::wstring connection = Utf8ToWide(copying ? *options.copyToServer : *options.initServer);
    const bool done = copying ? CopyWorklistToServer(root.worklistFile(), connection,
                                                     &rows, error)
                              : InitServerWorklist(connection, error);
    if (!done) {
        std::cerr << "orvane: " << error << "; nothing was changed on the server\n";
        return 1;
    }
    if (copying)
        std::cout << "Copied " << rows << " rows of the worklist onto the server; each was read back and checked\n";
    else
        std::cout << "The worklist's tables are on the server\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string error;
    const auto options = HostOptions::parse(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "orvane: " << error << "\n\n" << HostOptions::usage();
        return 2;
    }
    if (options->help || options->version) {
        std::cout << (options->help ? HostOptions::usage() : "orvane " SERION_VERSION "\n");
        return 0;
    }
    if (options->verifyAudit) {
        const HostRoot audited(*options->verifyAudit);
        return AuditVerification::run(audited.worklistFile(), audited.auditHeadFile(), audited.logbookFile(), std::cout,
                                      std::cerr);
    }
    const HostRoot root(options->root);
    if (options->initServer || options->copyToServer)
        return prepareServer(*options, root);
    if (options->init && root.isInstalled()) {
        std::cerr << "orvane: " << root.path().string() << " holds an installation already; nothing was changed\n";
        return 1;
    }
    if (!ensureInstalled(root))
        return 1;
    if (options->demo && !HostInstaller::installDemo(root, error)) {
        std::cerr << "orvane: " << error << "\n";
        return 1;
    }
    if (options->init)
        return 0;

    // Scripts run on the virtual clock: a wait of minutes takes no time at all.
    if (options->script)
        Clock::useVirtual(Clock::nowMs());
    // The terminal front end shows the host when asked to, or when a person sits at a terminal.
    const bool terminal = !options->script && (options->frontEnd == FrontEndChoice::Terminal ||
                                               (options->frontEnd == FrontEndChoice::Automatic && TerminalSession::available()));
    TerminalSession session;
    const Host::Output output = terminal ? session.output() : Host::Output(show);
    const PowerFailure powerFailure;
    Host host(root, PowerFailure::Watching(output));
    if (!host.start(CommandModule::defaultCandidates(), error) ||
        (options->monitorPort && !host.startMonitor(options->monitorAddress, *options->monitorPort, error))) {
        std::cerr << "orvane: " << error << "\n";
        return 1;
    }
    if (options->script)
        return ScriptRunner(host.commandLine(), show).run(*options->script);
    if (terminal) {
        const auto runLine = [&host, &output](const std::wstring& line) {
            if (const auto failure = host.commandLine().run(line))
                output(L"Error: " + *failure);
        };
        return session.run(host.window().handle(), runLine, HostLoop::run);
    }
    return LineMode(host.commandLine(), show, STDIN_FILENO).run();
}
