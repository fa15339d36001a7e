// One call of a command registered with the macro interpreter: the context, the command's name
// as typed and its evaluated arguments. A handler that cannot do its work says why with fail().
#pragma once

#include "CpValue.h"
#include "OrvaneTypes.h"

#include <string>
#include <vector>

class MacroCall {
public:
    MacroCall(HCPCONTEXT context, std::wstring command, std::vector<CpValue> arguments)
        : m_context(context), m_command(std::move(command)), m_arguments(std::move(arguments))
    {
    }

    HCPCONTEXT context() const { return m_context; }
    const std::wstring& command() const { return m_command; }
    const std::vector<CpValue>& arguments() const { return m_arguments; }
    std::size_t count() const { return m_arguments.size(); }
    // Argument index (from 0) as text (a number as Print shows it); empty when absent.
    std::wstring text(std::size_t index) const;

    // The command fails with this message; the interpreter reports it as the command's error.
    void fail(std::wstring message) { m_failure = std::move(message); }
    bool failed() const { return !m_failure.empty(); }
    const std::wstring& failure() const { return m_failure; }

private:
    HCPCONTEXT m_context;
    std::wstring m_command;
    std::vector<CpValue> m_arguments;
    std::wstring m_failure;
};
