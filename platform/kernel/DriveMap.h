// Windows paths on Linux: each drive letter is a folder under the host's root, names are matched
// without regard to case, and both separators are accepted.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

class DriveMap {
public:
    // The root holds one folder per drive ("C", "D", ...); the C folder is created when missing.
    static void setRoot(const std::filesystem::path& root);
    static const std::filesystem::path& root();

    // The Linux path of a Windows path. Existing components are found without regard to case;
    // the rest keep the case given. Empty when the path cannot be mapped (no root, bad drive,
    // a UNC path or a name with characters Windows forbids).
    static std::optional<std::filesystem::path> toHost(std::wstring_view windowsPath);
    // The Windows path ("C:\...") of a Linux path under the root; empty when it is outside.
    static std::wstring toWindows(const std::filesystem::path& hostPath);
};
