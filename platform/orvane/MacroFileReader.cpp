// Macro files: Name ... EndMacro blocks, their parameters and block structure.
#include "MacroFileReader.h"

#include "MacroInterpreter.h"
#include "MacroLexer.h"

#include <sstream>

namespace {

struct Reader {
    const std::wstring& file;
    std::vector<UserMacro>* macros;
    MacroError* error;
    UserMacro* current = nullptr;
    std::vector<std::size_t> openBlocks;
    int lineNumber = 0;

    bool fail(const std::wstring& message)
    {
        *error = {MACRO_ERR_SYNTAX, file + L", line " + std::to_wstring(lineNumber) + L": " + message};
        return false;
    }

    bool line(const std::wstring& text);
    bool startMacro(const std::vector<MacroToken>& tokens);
    bool parameters(const std::vector<MacroToken>& tokens);
    bool bodyLine(const std::wstring& text, const std::vector<MacroToken>& tokens);
    bool closeBlock(MacroLine::Kind opener, const wchar_t* closer);
};

bool Reader::line(const std::wstring& text)
{
    std::vector<MacroToken> tokens;
    if (!MacroLexer::tokenize(text, &tokens, error))
        return fail(error->message);
    const MacroToken& first = tokens.front();
    if (first.kind == MacroToken::Kind::End)
        return true;
    if (!current)
        return first.isWord(L"Name") ? startMacro(tokens) : fail(L"Expected 'Name' to begin a macro");
    if (first.isWord(L"Name"))
        return fail(L"'Name' inside the macro " + current->name + L", which has no EndMacro");
    if (first.isWord(L"EndMacro")) {
        if (!openBlocks.empty())
            return fail(L"EndMacro before the block begun on line " +
                        std::to_wstring(current->body[openBlocks.back()].lineNumber) + L" was closed");
        current = nullptr;
        return true;
    }
    if (first.isWord(L"Parameter"))
        return parameters(tokens);
    return bodyLine(text, tokens);
}

bool Reader::startMacro(const std::vector<MacroToken>& tokens)
{
    if (tokens[1].kind != MacroToken::Kind::Name || tokens[2].kind != MacroToken::Kind::End)
        return fail(L"'Name' needs the macro's name and nothing else");
    // Only the newest macro is ever current, so a later push_back cannot leave this dangling.
    macros->push_back({tokens[1].text, {}, {}, file});
    current = &macros->back();
    return true;
}

bool Reader::parameters(const std::vector<MacroToken>& tokens)
{
    if (!current->body.empty() || !current->parameters.empty())
        return fail(L"'Parameter' must be the first line of a macro");
    for (std::size_t i = 1;; i += 2) {
        if (tokens[i].kind != MacroToken::Kind::Name)
            return fail(L"'Parameter' needs names separated by commas");
        current->parameters.push_back(tokens[i].text);
        if (tokens[i + 1].kind == MacroToken::Kind::End)
            return true;
        if (!tokens[i + 1].isSymbol(L","))
            return fail(L"'Parameter' needs names separated by commas");
    }
}

bool Reader::bodyLine(const std::wstring& text, const std::vector<MacroToken>& tokens)
{
    const MacroToken& first = tokens.front();
    MacroLine line{MacroLine::Kind::Statement, text, lineNumber, 0};
    const std::size_t index = current->body.size();
    if (first.isWord(L"If")) {
        if (tokens.size() < 4 || !tokens[tokens.size() - 2].isWord(L"Then"))
            return fail(L"'If' needs a condition and 'Then'");
        line.kind = MacroLine::Kind::If;
        openBlocks.push_back(index);
    } else if (first.isWord(L"While")) {
        if (tokens.size() < 3)
            return fail(L"'While' needs a condition");
        line.kind = MacroLine::Kind::While;
        openBlocks.push_back(index);
    } else if (first.isWord(L"Else")) {
        if (openBlocks.empty() || current->body[openBlocks.back()].kind != MacroLine::Kind::If)
            return fail(L"'Else' without 'If'");
        current->body[openBlocks.back()].jump = index + 1;
        line.kind = MacroLine::Kind::Else;
        openBlocks.back() = index;
    } else if (first.isWord(L"EndIf")) {
        line.kind = MacroLine::Kind::EndIf;
        if (!closeBlock(MacroLine::Kind::If, L"EndIf"))
            return false;
    } else if (first.isWord(L"EndWhile")) {
        line.kind = MacroLine::Kind::EndWhile;
        line.jump = openBlocks.empty() ? 0 : openBlocks.back();
        if (!closeBlock(MacroLine::Kind::While, L"EndWhile"))
            return false;
    }
    current->body.push_back(std::move(line));
    return true;
}

bool Reader::closeBlock(MacroLine::Kind opener, const wchar_t* closer)
{
    const std::size_t index = current->body.size();
    if (openBlocks.empty())
        return fail(std::wstring(L"'") + closer + L"' without its opening line");
    MacroLine& open = current->body[openBlocks.back()];
    const bool matches = open.kind == opener || (opener == MacroLine::Kind::If && open.kind == MacroLine::Kind::Else);
    if (!matches)
        return fail(std::wstring(L"'") + closer + L"' closes the block begun on line " +
                    std::to_wstring(open.lineNumber));
    open.jump = index + (open.kind == MacroLine::Kind::Else ? 0 : 1);
    openBlocks.pop_back();
    return true;
}

} // namespace

bool MacroFileReader::read(std::wstring_view text, const std::wstring& file, std::vector<UserMacro>* macros,
                           MacroError* error)
{
    std::vector<UserMacro> read;
    Reader reader{file, &read, error, nullptr, {}, 0};
    std::wistringstream lines{std::wstring(text)};
    for (std::wstring line; std::getline(lines, line);) {
        ++reader.lineNumber;
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        const auto first = line.find_first_not_of(L" \t");
        if (first != std::wstring::npos && line[first] == L'!')
            continue;
        if (!reader.line(line))
            return false;
    }
    if (reader.current)
        return reader.fail(L"The macro " + reader.current->name + L" has no EndMacro");
    *macros = std::move(read);
    return true;
}
