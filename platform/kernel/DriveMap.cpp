// Drive mapping and case-blind lookup of path components.
#include "DriveMap.h"

#include "FolderIndex.h"
#include "Text.h"

#include <cwctype>
#include <system_error>
#include <vector>

namespace {

std::filesystem::path& rootPath()
{
    static std::filesystem::path path;
    return path;
}

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool hasForbiddenCharacter(std::wstring_view name)
{
    for (wchar_t c : name)
        if (c < 32 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos)
            return true;
    return false;
}

// The entry of folder whose name equals name without regard to case; name itself when none.
std::filesystem::path findNoCase(const std::filesystem::path& folder, const std::wstring& name)
{
    const std::string exact = WideToUtf8(name);
    std::error_code error;
    if (std::filesystem::exists(folder / exact, error))
        return folder / exact;
    return FolderIndex::instance().find(folder, name).value_or(folder / exact);
}

} // namespace

void DriveMap::setRoot(const std::filesystem::path& root)
{
    rootPath() = std::filesystem::absolute(root);
    std::error_code error;
    std::filesystem::create_directories(rootPath() / "C", error);
}

const std::filesystem::path& DriveMap::root() { return rootPath(); }

std::optional<std::filesystem::path> DriveMap::toHost(std::wstring_view windowsPath)
{
    if (rootPath().empty() || windowsPath.empty())
        return std::nullopt;
    if (windowsPath.size() >= 2 && isSeparator(windowsPath[0]) && isSeparator(windowsPath[1]))
        return std::nullopt;

    // A path without a drive is taken on drive C, from its top: the module's working folder.
    wchar_t drive = L'C';
    std::wstring_view rest = windowsPath;
    if (windowsPath.size() >= 2 && windowsPath[1] == L':') {
        drive = static_cast<wchar_t>(std::towupper(windowsPath[0]));
        if (drive < L'A' || drive > L'Z')
            return std::nullopt;
        rest = windowsPath.substr(2);
    }

    std::vector<std::wstring> parts;
    std::wstring part;
    auto flush = [&] {
        if (part == L"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        part.clear();
    };
    for (wchar_t c : rest) {
        if (isSeparator(c))
            flush();
        else
            part += c;
    }
    flush();

    std::filesystem::path exact = rootPath() / std::string(1, static_cast<char>(drive));
    for (std::wstring& name : parts) {
        // Windows drops trailing dots and blanks of a name.
        while (!name.empty() && (name.back() == L'.' || name.back() == L' '))
            name.pop_back();
        if (name.empty() || hasForbiddenCharacter(name))
            return std::nullopt;
        exact /= WideToUtf8(name);
    }
    // A path that exists as given is what the case-blind walk finds too, as it prefers the name
    // as given: one look instead of one for each component.
    std::error_code error;
    if (std::filesystem::exists(exact, error))
        return exact;
    std::filesystem::path host = findNoCase(rootPath(), std::wstring(1, drive));
    for (const std::wstring& name : parts)
        host = findNoCase(host, name);
    return host;
}

std::wstring DriveMap::toWindows(const std::filesystem::path& hostPath)
{
    const auto relative = std::filesystem::absolute(hostPath).lexically_relative(rootPath());
    if (relative.empty() || *relative.begin() == "..")
        return {};
    std::wstring out;
    bool first = true;
    for (const auto& component : relative) {
        if (first) {
            out = ToUpperWide(Utf8ToWide(component.string())) + L":";
            first = false;
        } else {
            out += L"\\" + Utf8ToWide(component.string());
        }
    }
    return out.size() == 2 ? out + L"\\" : out;
}
