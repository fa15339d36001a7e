// The host's logbook: modules register under a name, send entries, and unregister. Entries are
// kept, shown through the host's output and appended to the logbook file in the root.
#pragma once

#include "LogbookRecord.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class Logbook {
public:
    using Show = std::function<void(const std::string& line)>;

    Logbook(std::filesystem::path file, Show show);

    // The id the module passes with its entries; ids are never reused within a run.
    std::int32_t registerSource(const std::wstring& name);
    void unregisterSource(std::int32_t id);
    bool isRegistered(std::int32_t id) const { return m_sources.contains(id); }

    void write(const LogbookEntry& entry);
    // The entries written so far, each as the line shown and stored.
    const std::vector<std::string>& lines() const { return m_lines; }

private:
    std::string formatLine(const LogbookEntry& entry) const;
    // The logbook file, open for appending; opened anew when it was deleted or could not be written.
    std::FILE* openFile();

    std::filesystem::path m_file;
    // Kept open between entries, so that an entry costs one write rather than an open and a close.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_open{nullptr, &std::fclose};
    Show m_show;
    std::map<std::int32_t, std::wstring> m_sources;
    std::int32_t m_nextId = 1;
    std::vector<std::string> m_lines;
    bool m_unwritableSaid = false;
};
