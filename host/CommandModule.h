// A command module loaded into the host: its library, its OOCPSRV entry and the commands its
// command table announces, which join the macro language while the module is started.
#pragma once

#include "ModuleCommandTable.h"

#include "kernel/WinTypes.h"
#include "orvane/MacroCall.h"
#include "orvane/OrvaneTypes.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class CommandModule {
public:
    using Entry = std::int16_t (*)(void* data, std::uint16_t event, std::int32_t first, std::int32_t second);

    // The first of the candidate files that exists is loaded. Empty, with the reason in error,
    // when none exists, the library cannot be loaded or has no OOCPSRV, or its command table is
    // damaged. A module without a command table loads and offers no commands.
    static std::unique_ptr<CommandModule> load(const std::vector<std::filesystem::path>& candidates,
                                               std::string& error);
    // Where the host looks for libserion.so: beside the program, then in the build's lib folder.
    static std::vector<std::filesystem::path> defaultCandidates();

    ~CommandModule();
    CommandModule(const CommandModule&) = delete;
    CommandModule& operator=(const CommandModule&) = delete;

    HMODULE handle() const { return m_handle; }
    const std::filesystem::path& file() const { return m_file; }
    const std::vector<ModuleCommand>& commands() const { return m_commands; }

    // Initialises the module, creates its task and adds its commands to the macro language; false,
    // with the reason, when the module refuses its initialisation or its task. The host's handles
    // must be set before. Stopping (also on destruction) closes and destroys the task and ends
    // the module.
    bool start(std::string& error);
    void stop();
    bool started() const { return m_started; }

private:
    CommandModule(HMODULE handle, Entry entry, std::filesystem::path file, std::vector<ModuleCommand> commands);
    void execute(const ModuleCommand& command, MacroCall& call) const;

    // The host gives its one module one task for the whole session.
    static constexpr std::int32_t taskId = 1;

    HMODULE m_handle;
    Entry m_entry;
    std::filesystem::path m_file;
    std::vector<ModuleCommand> m_commands;
    bool m_started = false;
    bool m_taskCreated = false;
};
