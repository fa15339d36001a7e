// The installation's host variables, kept in a text file in the root: one "name=value" a line.
// Names ending in "$" hold texts, the others numbers.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct HostVariable {
    std::string name;
    std::variant<double, std::wstring> value;
};

class HostVariableFile {
public:
    // Texts are written as UTF-8; "%", carriage return and line feed as "%25", "%0D", "%0A" so that
    // every value stays on its line.
    static bool save(const std::filesystem::path& file, const std::vector<HostVariable>& variables);
    // Empty, with the reason (file and line) in error, when the file cannot be read, holds no
    // variable, or a line is not "name=value" with a valid name and a finite number for a numeric name.
    static std::optional<std::vector<HostVariable>> load(const std::filesystem::path& file, std::string& error);
};
