// The power failure of the crash tests: an observer of the host's variables that counts changes.
#include "PowerFailure.h"

#include "kernel/Text.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>

PowerFailure::PowerFailure()
{
    const char* value = std::getenv("ORVANE_KILL_AT_CHANGE");
    if (!value)
        return;
    m_killAt = std::strtol(value, nullptr, 10);
    m_observer = CpVariables::instance().addObserver([this](const std::string&) {
        if (++m_changes == *m_killAt)
            std::raise(SIGKILL);
    });
}

PowerFailure::~PowerFailure()
{
    if (!m_killAt)
        return;
    CpVariables::instance().removeObserver(m_observer);
    std::fprintf(stderr, "orvane: %ld host variable changes\n", m_changes);
}

PowerFailure::Output PowerFailure::Watching(Output output)
{
    const char* value = std::getenv("ORVANE_KILL_AT_LINE");
    if (!value || !*value)
        return output;
    return [output = std::move(output), text = Utf8ToWide(value)](const std::wstring& line) {
        output(line);
        if (line.find(text) != std::wstring::npos)
            std::raise(SIGKILL);
    };
}
