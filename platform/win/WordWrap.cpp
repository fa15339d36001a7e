// Word wrapping shared by the windows that size themselves to their text and the terminal's drawers.
#include "win/WordWrap.h"

std::vector<std::wstring> WordWrap(std::wstring_view text, int width)
{
    std::vector<std::wstring> rows;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(L'\n', start);
        std::wstring_view line = text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (!line.empty() && line.back() == L'\r')
            line.remove_suffix(1);
        while (width > 0 && static_cast<int>(line.size()) > width) {
            std::size_t cut = line.rfind(L' ', static_cast<std::size_t>(width));
            const bool atSpace = cut != std::wstring::npos && cut > 0;
            if (!atSpace)
                cut = static_cast<std::size_t>(width);
            rows.emplace_back(line.substr(0, cut));
            line.remove_prefix(cut + (atSpace ? 1 : 0));
        }
        rows.emplace_back(line);
        if (end == std::wstring::npos)
            break;
        start = end + 1;
    }
    return rows;
}
