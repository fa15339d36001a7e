// Loading a command module with the Win32 library calls and reading its command table.
#include "CommandModule.h"

#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "kernel/Text.h"
#include "orvane/MacroInterpreter.h"
#include "orvane/OocpsrvEvents.h"

#include <algorithm>
#include <system_error>

namespace {

constexpr WORD commandTableId = 101;
constexpr const char* moduleFileName = "libserion.so";

// The commands of the module's table; none when it carries no table.
std::optional<std::vector<ModuleCommand>> readCommands(HMODULE module, std::string& error)
{
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(commandTableId), RT_RCDATA);
    if (!found)
        return std::vector<ModuleCommand>();
    const auto* bytes = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    return ModuleCommandTable::parse(bytes, SizeofResource(module, found), error);
}

} // namespace

CommandModule::CommandModule(HMODULE handle, Entry entry, std::filesystem::path file,
                             std::vector<ModuleCommand> commands)
    : m_handle(handle), m_entry(entry), m_file(std::move(file)), m_commands(std::move(commands))
{
}

CommandModule::~CommandModule()
{
    stop();
    FreeLibrary(m_handle);
}

std::vector<std::filesystem::path> CommandModule::defaultCandidates()
{
    std::error_code code;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", code);
    if (code)
        return {moduleFileName};
    const auto folder = program.parent_path();
    return {folder / moduleFileName, folder.parent_path() / "lib" / moduleFileName};
}

std::unique_ptr<CommandModule> CommandModule::load(const std::vector<std::filesystem::path>& candidates,
                                                   std::string& error)
{
    const auto file = std::find_if(candidates.begin(), candidates.end(),
                                   [](const auto& path) { return std::filesystem::exists(path); });
    if (file == candidates.end()) {
        error = std::string(moduleFileName) + " was not found";
        for (const auto& candidate : candidates)
            error += (candidate == candidates.front() ? " (looked for " : ", ") + candidate.string();
        error += candidates.empty() ? "" : ")";
        return nullptr;
    }
    HMODULE handle = LoadLibraryW(Utf8ToWide(file->string()).c_str());
    if (!handle) {
        error = file->string() + " cannot be loaded";
        return nullptr;
    }
    const auto entry = reinterpret_cast<Entry>(GetProcAddress(handle, "OOCPSRV"));
    std::string tableError;
    const auto commands = entry ? readCommands(handle, tableError) : std::nullopt;
    if (!commands) {
        error = file->string() + (entry ? ": " + tableError : " has no entry OOCPSRV");
        FreeLibrary(handle);
        return nullptr;
    }
    return std::unique_ptr<CommandModule>(new CommandModule(handle, entry, *file, *commands));
}

bool CommandModule::start(std::string& error)
{
    if (const SHORT status = m_entry(nullptr, OOCP_INIT, 0, 0); status != OOCP_OK) {
        error = "the module refused its initialisation (status " + std::to_string(status) + ")";
        return false;
    }
    m_started = true;
    if (const SHORT status = m_entry(nullptr, OOCP_TASK_CREATE, taskId, 0); status != OOCP_OK) {
        error = "the module refused its task (status " + std::to_string(status) + ")";
        stop();
        return false;
    }
    m_taskCreated = true;
    for (const auto& command : m_commands) {
        MacroInterpreter::instance().registerCommand(command.name, 0, MacroInterpreter::ANY_COUNT,
                                                     [this, command](MacroCall& call) { execute(command, call); });
    }
    return true;
}

void CommandModule::stop()
{
    if (!m_started)
        return;
    for (const auto& command : m_commands)
        MacroInterpreter::instance().unregisterCommand(command.name);
    if (m_taskCreated) {
        m_entry(nullptr, OOCP_TASK_CLOSE, taskId, 0);
        m_entry(nullptr, OOCP_TASK_DESTROY, taskId, 0);
        m_taskCreated = false;
    }
    m_entry(nullptr, OOCP_EXIT, 0, 0);
    m_started = false;
}

void CommandModule::execute(const ModuleCommand& command, MacroCall& call) const
{
    OocpExecute request;
    request.context = call.context();
    for (std::size_t i = 0; i < call.count(); ++i)
        request.arguments.push_back(call.text(i));
    const SHORT status = m_entry(&request, OOCP_EXECUTE, command.id, taskId);
    if (status == OOCP_OK)
        return;
    call.fail(!request.error.empty() ? request.error
                                     : Utf8ToWide(command.name) + L" was refused by the module (status " +
                                           std::to_wstring(status) + L")");
}
