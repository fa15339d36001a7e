// Reading a help file's title and topics.
#include "win/HelpFile.h"

#include "kernel/DriveMap.h"
#include "kernel/FileBytes.h"
#include "kernel/Text.h"

#include <cwctype>

namespace {

// "[101901] Run Serion Methods" begins the topic 101901; any other line is none.
std::optional<HelpTopic> topicStart(std::wstring_view line)
{
    const auto close = line.find(L']');
    if (!line.starts_with(L'[') || close == std::wstring_view::npos || close == 1 || close > 11)
        return std::nullopt;
    DWORD id = 0;
    for (const wchar_t digit : line.substr(1, close - 1)) {
        if (!std::iswdigit(digit))
            return std::nullopt;
        id = id * 10 + static_cast<DWORD>(digit - L'0');
    }
    std::wstring_view heading = line.substr(close + 1);
    while (heading.starts_with(L' '))
        heading.remove_prefix(1);
    return HelpTopic{id, std::wstring(heading), {}};
}

void dropTrailingBlankLines(HelpTopic& topic)
{
    while (!topic.lines.empty() && topic.lines.back().empty())
        topic.lines.pop_back();
}

} // namespace

std::optional<HelpFile> HelpFile::read(std::wstring_view windowsPath)
{
    const auto hostPath = DriveMap::toHost(windowsPath);
    const auto bytes = hostPath ? FileBytes::read(*hostPath) : std::nullopt;
    if (!bytes)
        return std::nullopt;
    return parse(Utf8ToWide(*bytes));
}

HelpFile HelpFile::parse(std::wstring_view text)
{
    HelpFile file;
    bool first = true;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = text.find(L'\n', start);
        std::wstring_view line = text.substr(start, end == std::wstring_view::npos ? std::wstring_view::npos : end - start);
        start = end == std::wstring_view::npos ? text.size() : end + 1;
        if (line.ends_with(L'\r'))
            line.remove_suffix(1);
        if (first) {
            file.m_title = line;
            first = false;
        } else if (auto topic = topicStart(line)) {
            file.m_topics.push_back(std::move(*topic));
        } else if (!file.m_topics.empty()) {
            file.m_topics.back().lines.emplace_back(line);
        }
    }
    for (HelpTopic& topic : file.m_topics)
        dropTrailingBlankLines(topic);
    return file;
}

const HelpTopic* HelpFile::topic(DWORD contextId) const
{
    for (const HelpTopic& topic : m_topics)
        if (topic.contextId == contextId)
            return &topic;
    return nullptr;
}
