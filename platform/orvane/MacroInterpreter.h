// The host's macro language: runs command lines (typed, queued by modules or read from scripts
// and macro files), keeps user macros and the commands the host and its modules register.
// The language is described in docs/macro-language.md.
#pragma once

#include "MacroCall.h"
#include "OrvaneTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

// The error numbers kept in _ERROR after a failed command line.
constexpr int MACRO_OK = 0;
constexpr int MACRO_ERR_SYNTAX = 1001;
constexpr int MACRO_ERR_UNKNOWN_COMMAND = 1002;
constexpr int MACRO_ERR_ARGUMENTS = 1003;
constexpr int MACRO_ERR_UNKNOWN_VARIABLE = 1004;
constexpr int MACRO_ERR_TYPE = 1005;
constexpr int MACRO_ERR_COMMAND_FAILED = 1006;
constexpr int MACRO_ERR_FILE = 1007;
constexpr int MACRO_ERR_NESTING = 1008;

class MacroInterpreter {
public:
    using Handler = std::function<void(MacroCall& call)>;
    using Output = std::function<void(const std::wstring& text)>;
    static constexpr int ANY_COUNT = -1;

    static MacroInterpreter& instance();
    ~MacroInterpreter();

    // Adds (or replaces) a command, found without regard to case. A call with fewer than
    // minArguments or more than maxArguments (ANY_COUNT: no limit) fails before the handler runs.
    void registerCommand(std::string_view name, int minArguments, int maxArguments, Handler handler);
    void unregisterCommand(std::string_view name);
    // A registered command or a loaded user macro of that name.
    bool isKnownCommand(std::string_view name) const;

    // Runs one command line now. Answers MACRO_OK or the error number; an error is also kept in
    // _ERROR, _ERRMSG$, _ERRCMD$, _ERRFILE$ and _ERRLINE and handed to the error output.
    int execute(std::wstring_view line, HCPCONTEXT context);
    // Runs the queued command lines (CpExecCommand) in order until the queue is empty, lines
    // queued meanwhile included; answers the number of lines run.
    int runQueuedCommands();
    // Loads the user macros of a macro file (a Windows path); a syntax error loads nothing.
    int loadMacroFile(std::wstring_view windowsPath);

    // Where Print writes and where errors are shown: the host's output. Unset, they are dropped.
    void setPrintOutput(Output output);
    void setErrorOutput(Output output);

    // Forgets user macros and registered commands and registers the built-in ones again.
    void reset();

private:
    MacroInterpreter();
    class Impl;
    std::unique_ptr<Impl> m_impl;
};
