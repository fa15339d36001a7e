// Keeping, showing and storing logbook entries.
#include "Logbook.h"

#include "kernel/Text.h"
#include "kernel/TimeApi.h"

#include <sys/stat.h>

Logbook::Logbook(std::filesystem::path file, Show show) : m_file(std::move(file)), m_show(std::move(show)) {}

std::int32_t Logbook::registerSource(const std::wstring& name)
{
    const std::int32_t id = m_nextId++;
    m_sources[id] = name;
    return id;
}

void Logbook::unregisterSource(std::int32_t id) { m_sources.erase(id); }

void Logbook::write(const LogbookEntry& entry)
{
    const std::string line = formatLine(entry);
    m_lines.push_back(line);
    std::FILE* file = openFile();
    const bool stored = file && std::fwrite(line.data(), 1, line.size(), file) == line.size() &&
                        std::fputc('\n', file) != EOF && std::fflush(file) == 0;
    if (!stored)
        m_open.reset();
    if (!m_show)
        return;
    m_show("Logbook: " + line);
    // Once each time the file stops taking entries, not at every entry it misses.
    if (!stored && !m_unwritableSaid)
        m_show("Logbook: the logbook file " + m_file.string() +
               " cannot be written; entries are shown but not kept in it until it can. Check that it is not "
               "read-only and that its drive has space.");
    m_unwritableSaid = !stored;
}

std::FILE* Logbook::openFile()
{
    struct stat file {};
    if (m_open && (::fstat(fileno(m_open.get()), &file) != 0 || file.st_nlink == 0))
        m_open.reset();
    if (!m_open)
        m_open.reset(std::fopen(m_file.c_str(), "ab"));
    return m_open.get();
}

std::string Logbook::formatLine(const LogbookEntry& entry) const
{
    const std::string stamp = WideToUtf8(FormatTime(entry.time, L"%Y-%m-%d %H:%M:%S"));
    // An entry from an id nobody registered is still kept: the lab must not lose it.
    const auto source = m_sources.find(entry.logbookId);
    const std::string sourceName =
        source != m_sources.end() ? WideToUtf8(source->second) : "module " + std::to_string(entry.logbookId);
    return stamp + " " + sourceName + ": " + WideToUtf8(entry.text);
}
