// Reading and writing the root's host variable file.
#include "HostVariableFile.h"

#include "SettingText.h"

#include "kernel/FileBytes.h"
#include "kernel/Text.h"
#include "orvane/CpVariables.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>

namespace {

bool isTextName(const std::string& name) { return name.ends_with('$'); }

std::string escape(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '%')
            out += "%25";
        else if (c == '\r')
            out += "%0D";
        else if (c == '\n')
            out += "%0A";
        else
            out += c;
    }
    return out;
}

std::string unescape(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::string code = text.substr(i, 3);
        if (code == "%25" || code == "%0D" || code == "%0A") {
            out += code == "%25" ? '%' : code == "%0D" ? '\r' : '\n';
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The shortest text that reads back as the same number.
std::string numberText(double value)
{
    char buffer[32];
    const auto [end, status] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, status == std::errc() ? end : buffer);
}

std::optional<double> parseNumber(const std::string& text)
{
    double value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size() || text.empty() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

bool HostVariableFile::save(const std::filesystem::path& file, const std::vector<HostVariable>& variables)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "# Orvane host variables: name=value, one a line; names ending in $ hold texts.\n";
    for (const auto& variable : variables) {
        out << variable.name << '=';
        if (const auto* text = std::get_if<std::wstring>(&variable.value))
            out << escape(WideToUtf8(*text));
        else
            out << numberText(std::get<double>(variable.value));
        out << '\n';
    }
    return static_cast<bool>(out.flush());
}

std::optional<std::vector<HostVariable>> HostVariableFile::load(const std::filesystem::path& file,
                                                                std::string& error)
{
    const auto bytes = FileBytes::read(file);
    if (!bytes) {
        error = file.string() + ": cannot be read";
        return std::nullopt;
    }
    std::istringstream in(*bytes);
    std::vector<HostVariable> variables;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (TrimmedText(line).empty() || line.starts_with('#'))
            continue;
        const auto equals = line.find('=');
        const std::string name = equals == std::string::npos ? std::string() : TrimmedText(line.substr(0, equals));
        const std::string where = file.string() + ":" + std::to_string(number) + ": ";
        if (name.empty()) {
            error = where + "expected name=value";
            return std::nullopt;
        }
        if (!CpVariables::isValidName(name)) {
            error = where + "\"" + name + "\" is not a host variable name";
            return std::nullopt;
        }
        const std::string value = line.substr(equals + 1);
        if (isTextName(name)) {
            variables.push_back({name, Utf8ToWide(unescape(value))});
            continue;
        }
        const auto parsed = parseNumber(TrimmedText(value));
        if (!parsed) {
            error = where + name + " needs a number, not \"" + TrimmedText(value) + "\"";
            return std::nullopt;
        }
        variables.push_back({name, *parsed});
    }
    // The host cannot work without its paths: an empty file is a broken installation.
    if (variables.empty()) {
        error = file.string() + ": holds no host variables";
        return std::nullopt;
    }
    return variables;
}
