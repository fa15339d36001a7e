// The macro language's tokens.
#include "MacroLexer.h"

#include "MacroInterpreter.h"

#include "kernel/Text.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

bool MacroToken::isWord(std::wstring_view word) const
{
    return kind == Kind::Name && EqualsNoCase(text, word);
}

namespace {

bool startsName(wchar_t c)
{
    return std::iswalpha(c) || c == L'_';
}

bool continuesName(wchar_t c)
{
    return std::iswalnum(c) || c == L'_';
}

// Where the number that starts at start ends: digits and points, then an exponent's letter with
// its sign and digits. A sign elsewhere is the next token, so "1+1+..." is read one term at a time.
std::size_t numberExtent(std::wstring_view line, std::size_t start)
{
    auto digitsFrom = [&line](std::size_t i) {
        while (i < line.size() && (std::iswdigit(line[i]) || line[i] == L'.'))
            ++i;
        return i;
    };
    std::size_t end = digitsFrom(start);
    if (end < line.size() && (line[end] == L'e' || line[end] == L'E')) {
        std::size_t exponent = end + 1;
        if (exponent < line.size() && (line[exponent] == L'+' || line[exponent] == L'-'))
            ++exponent;
        end = digitsFrom(exponent);
    }
    return end;
}

bool fail(MacroError* error, std::wstring message)
{
    *error = {MACRO_ERR_SYNTAX, std::move(message)};
    return false;
}

} // namespace

bool MacroLexer::tokenize(std::wstring_view line, std::vector<MacroToken>* tokens, MacroError* error)
{
    tokens->clear();
    std::size_t i = 0;
    while (i < line.size()) {
        const wchar_t c = line[i];
        if (std::iswspace(c)) {
            ++i;
        } else if (c == L'"') {
            std::wstring text;
            for (++i;; ++i) {
                if (i >= line.size())
                    return fail(error, L"Unterminated quote in: " + std::wstring(line));
                if (line[i] == L'"' && i + 1 < line.size() && line[i + 1] == L'"')
                    text += line[++i];
                else if (line[i] == L'"')
                    break;
                else
                    text += line[i];
            }
            ++i;
            tokens->push_back({MacroToken::Kind::Text, std::move(text), 0});
        } else if (std::iswdigit(c) || (c == L'.' && i + 1 < line.size() && std::iswdigit(line[i + 1]))) {
            // Only the characters this number can hold are copied: a long line of numbers stays linear.
            const std::wstring candidate(line.substr(i, numberExtent(line, i) - i));
            wchar_t* end = nullptr;
            const double number = std::wcstod(candidate.c_str(), &end);
            const std::size_t length = static_cast<std::size_t>(end - candidate.c_str());
            if (!std::isfinite(number))
                return fail(error, L"Number out of range: " + candidate.substr(0, length));
            tokens->push_back({MacroToken::Kind::Number, candidate.substr(0, length), number});
            i += length;
        } else if (startsName(c)) {
            std::size_t end = i + 1;
            while (end < line.size() && continuesName(line[end]))
                ++end;
            if (end < line.size() && line[end] == L'$')
                ++end;
            tokens->push_back({MacroToken::Kind::Name, std::wstring(line.substr(i, end - i)), 0});
            i = end;
        } else if (std::wstring_view(L"<>").find(c) != std::wstring_view::npos && i + 1 < line.size() &&
                   (line[i + 1] == L'=' || (c == L'<' && line[i + 1] == L'>'))) {
            tokens->push_back({MacroToken::Kind::Symbol, std::wstring(line.substr(i, 2)), 0});
            i += 2;
        } else if (std::wstring_view(L"+-*/(),=<>").find(c) != std::wstring_view::npos) {
            tokens->push_back({MacroToken::Kind::Symbol, std::wstring(1, c), 0});
            ++i;
        } else {
            return fail(error, L"Unexpected character '" + std::wstring(1, c) + L"' in: " + std::wstring(line));
        }
    }
    tokens->push_back({});
    return true;
}
