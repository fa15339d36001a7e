// A help file as HTML Help reads it: a text file whose first line is its title, followed by
// topics, each beginning with a line "[context id] heading" and holding the lines after it.
#pragma once

#include "kernel/WinTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct HelpTopic {
    DWORD contextId = 0;
    std::wstring heading;
    std::vector<std::wstring> lines;
};

class HelpFile {
public:
    // The file at the Windows path; none when it cannot be read.
    static std::optional<HelpFile> read(std::wstring_view windowsPath);
    static HelpFile parse(std::wstring_view text);

    const std::wstring& title() const { return m_title; }
    // Null when the file has no topic with that context id.
    const HelpTopic* topic(DWORD contextId) const;

private:
    std::wstring m_title;
    std::vector<HelpTopic> m_topics;
};
