// The macro interpreter: statements, built-in commands, user macros and registered commands.
#include "MacroInterpreter.h"

#include "CpCommandQueue.h"
#include "CpVariables.h"
#include "MacroExpression.h"
#include "MacroFileReader.h"
#include "MacroLexer.h"
#include "UserMacro.h"

#include "kernel/DriveMap.h"
#include "kernel/FileBytes.h"
#include "kernel/Text.h"

#include <iterator>
#include <map>
#include <utility>

namespace {

constexpr int MAX_NESTING = 64;
// The work one command line may do, over all the macros it calls and all their loops, so that
// neither a loop nor a recursion that does not end can stall the host.
constexpr long MAX_MACRO_LINES = 100000;

struct Command {
    int minArguments;
    int maxArguments;
    MacroInterpreter::Handler handler;
};

// Where a failing line stands: a macro file and line, or nowhere for a typed or queued line.
struct Location {
    std::wstring file;
    int line = 0;
};

struct Frame {
    std::vector<std::pair<std::wstring, CpValue>> locals;
    bool returning = false;
};

std::wstring key(std::wstring_view name)
{
    return ToUpperWide(name);
}

} // namespace

class MacroInterpreter::Impl {
public:
    std::map<std::wstring, Command> commands;
    std::map<std::wstring, UserMacro> macros;
    std::vector<Frame> frames;
    Output print;
    Output showError;
    int running = 0;
    long macroLinesRun = 0;
    Location location;

    void registerBuiltIns();
    MacroError runLine(std::wstring_view line, HCPCONTEXT context);
    std::optional<CpValue> lookup(const std::wstring& name) const;
    CpValue* local(const std::wstring& name);
    MacroError assign(const std::vector<MacroToken>& tokens);
    MacroError parseArguments(const std::vector<MacroToken>& tokens, std::vector<CpValue>* arguments);
    MacroError callMacro(const UserMacro& macro, const std::vector<CpValue>& arguments, HCPCONTEXT context);
    MacroError runBody(const UserMacro& macro, HCPCONTEXT context);
    MacroError condition(const MacroLine& line, bool* result);
    MacroError declareLocals(const std::vector<MacroToken>& tokens);
    MacroError loadFile(std::wstring_view windowsPath);
    void report(const MacroError& error, std::wstring_view line);
};

namespace {

MacroError ok()
{
    return {};
}

MacroError syntax(std::wstring message)
{
    return {MACRO_ERR_SYNTAX, std::move(message)};
}

std::wstring countText(int count)
{
    return count == MacroInterpreter::ANY_COUNT ? L"any" : std::to_wstring(count);
}

} // namespace

std::optional<CpValue> MacroInterpreter::Impl::lookup(const std::wstring& name) const
{
    if (!frames.empty())
        for (const auto& [localName, value] : frames.back().locals)
            if (EqualsNoCase(localName, name))
                return value;
    return CpVariables::instance().get(WideToUtf8(name));
}

CpValue* MacroInterpreter::Impl::local(const std::wstring& name)
{
    if (frames.empty())
        return nullptr;
    for (auto& [localName, value] : frames.back().locals)
        if (EqualsNoCase(localName, name))
            return &value;
    return nullptr;
}

MacroError MacroInterpreter::Impl::assign(const std::vector<MacroToken>& tokens)
{
    const std::wstring& name = tokens[0].text;
    CpValue value;
    MacroError error;
    MacroExpression expression(tokens, 2, [this](const std::wstring& n) { return lookup(n); });
    if (!expression.evaluate(&value, &error))
        return error;
    if (tokens[expression.position()].kind != MacroToken::Kind::End)
        return syntax(L"Unexpected '" + tokens[expression.position()].text + L"' after the value of " + name);
    const bool textName = CpVariables::isTextName(WideToUtf8(name));
    if (textName != value.isText())
        return {MACRO_ERR_TYPE, name + (textName ? L" takes a text, not a number" : L" takes a number, not a text")};
    if (CpValue* target = local(name)) {
        *target = value;
        return ok();
    }
    if (CpVariables::instance().set(WideToUtf8(name), value) != CP_OK)
        return syntax(L"Not a variable name: " + name);
    return ok();
}

MacroError MacroInterpreter::Impl::parseArguments(const std::vector<MacroToken>& tokens,
                                                  std::vector<CpValue>* arguments)
{
    std::size_t position = 1;
    if (tokens[position].kind == MacroToken::Kind::End)
        return ok();
    for (;;) {
        const MacroToken& token = tokens[position];
        if (token.kind == MacroToken::Kind::End || token.isSymbol(L","))
            return syntax(L"Missing argument " + std::to_wstring(arguments->size() + 1) + L" of " + tokens[0].text);
        const MacroToken& next = tokens[position + 1];
        const bool alone = next.kind == MacroToken::Kind::End || next.isSymbol(L",");
        // A bare word naming no variable stands for its text: LAMPALL OFF.
        if (token.kind == MacroToken::Kind::Name && alone && !token.text.ends_with(L'$') && !lookup(token.text)) {
            arguments->push_back(CpValue(token.text));
            ++position;
        } else {
            CpValue value;
            MacroError error;
            MacroExpression expression(tokens, position, [this](const std::wstring& n) { return lookup(n); });
            if (!expression.evaluate(&value, &error))
                return error;
            arguments->push_back(std::move(value));
            position = expression.position();
        }
        if (tokens[position].kind == MacroToken::Kind::End)
            return ok();
        if (!tokens[position].isSymbol(L","))
            return syntax(L"Expected ',' before '" + tokens[position].text + L"' in the arguments of " + tokens[0].text);
        ++position;
    }
}

MacroError MacroInterpreter::Impl::runLine(std::wstring_view line, HCPCONTEXT context)
{
    const auto first = line.find_first_not_of(L" \t\r\n");
    if (first == std::wstring_view::npos || line[first] == L'!')
        return ok();
    std::vector<MacroToken> tokens;
    MacroError error;
    if (!MacroLexer::tokenize(line, &tokens, &error))
        return error;
    if (tokens[0].kind != MacroToken::Kind::Name)
        return syntax(L"Expected a command or an assignment: " + std::wstring(line.substr(first)));
    if (tokens[1].isSymbol(L"="))
        return assign(tokens);

    const std::wstring& name = tokens[0].text;
    if (tokens[0].isWord(L"Local"))
        return frames.empty() ? syntax(L"'Local' belongs inside a macro") : declareLocals(tokens);
    if (tokens[0].isWord(L"Return")) {
        if (frames.empty())
            return syntax(L"'Return' belongs inside a macro");
        frames.back().returning = true;
        return ok();
    }
    std::vector<CpValue> arguments;
    if (MacroError parsed = parseArguments(tokens, &arguments); parsed.code != MACRO_OK)
        return parsed;

    if (const auto macro = macros.find(key(name)); macro != macros.end())
        return callMacro(macro->second, arguments, context);
    if (tokens[0].isWord(L"Macro")) {
        if (arguments.size() != 1 || !arguments[0].isText())
            return {MACRO_ERR_ARGUMENTS, L"Macro needs the macro file's name as one text"};
        return loadFile(arguments[0].text());
    }
    const auto command = commands.find(key(name));
    if (command == commands.end())
        return {MACRO_ERR_UNKNOWN_COMMAND, L"Unknown command: " + name};
    const int count = static_cast<int>(arguments.size());
    const Command& found = command->second;
    if (count < found.minArguments || (found.maxArguments != ANY_COUNT && count > found.maxArguments)) {
        const bool missing = count < found.minArguments;
        return {MACRO_ERR_ARGUMENTS, name + (missing ? L": missing argument" : L": too many arguments") + L" (needs " +
                                         (found.minArguments == found.maxArguments
                                              ? countText(found.minArguments)
                                              : countText(found.minArguments) + L" to " + countText(found.maxArguments)) +
                                         L", got " + std::to_wstring(count) + L")"};
    }
    // The handler may register or remove commands, so it runs from a copy.
    const Handler handler = found.handler;
    MacroCall call(context, name, std::move(arguments));
    handler(call);
    if (call.failed())
        return {MACRO_ERR_COMMAND_FAILED, call.failure()};
    return ok();
}

MacroError MacroInterpreter::Impl::declareLocals(const std::vector<MacroToken>& tokens)
{
    for (std::size_t i = 1;; i += 2) {
        if (tokens[i].kind != MacroToken::Kind::Name)
            return syntax(L"'Local' needs names separated by commas");
        const std::wstring& name = tokens[i].text;
        if (!local(name))
            frames.back().locals.emplace_back(name, name.ends_with(L'$') ? CpValue(L"") : CpValue(0.0));
        if (tokens[i + 1].kind == MacroToken::Kind::End)
            return ok();
        if (!tokens[i + 1].isSymbol(L","))
            return syntax(L"'Local' needs names separated by commas");
    }
}

MacroError MacroInterpreter::Impl::callMacro(const UserMacro& macro, const std::vector<CpValue>& arguments,
                                             HCPCONTEXT context)
{
    const std::size_t expected = macro.parameters.size();
    if (arguments.size() != expected)
        return {MACRO_ERR_ARGUMENTS, macro.name + (arguments.size() < expected ? L": missing argument" : L": too many arguments") +
                                         L" (needs " + std::to_wstring(expected) + L", got " +
                                         std::to_wstring(arguments.size()) + L")"};
    if (frames.size() >= MAX_NESTING)
        return {MACRO_ERR_NESTING, L"Macros nested deeper than " + std::to_wstring(MAX_NESTING)};
    Frame frame;
    for (std::size_t i = 0; i < expected; ++i) {
        const std::wstring& parameter = macro.parameters[i];
        if (parameter.ends_with(L'$') != arguments[i].isText())
            return {MACRO_ERR_TYPE, macro.name + L": " + parameter +
                                        (parameter.ends_with(L'$') ? L" takes a text, not a number" : L" takes a number, not a text")};
        frame.locals.emplace_back(parameter, arguments[i]);
    }
    frames.push_back(std::move(frame));
    // The macro is copied: a line of it may load a file that replaces it.
    const UserMacro running = macro;
    MacroError error = runBody(running, context);
    frames.pop_back();
    return error;
}

MacroError MacroInterpreter::Impl::condition(const MacroLine& line, bool* result)
{
    std::vector<MacroToken> tokens;
    MacroError error;
    MacroLexer::tokenize(line.text, &tokens, &error);
    CpValue value;
    MacroExpression expression(tokens, 1, [this](const std::wstring& n) { return lookup(n); });
    if (!expression.evaluate(&value, &error))
        return error;
    const MacroToken& next = tokens[expression.position()];
    const bool ended = line.kind == MacroLine::Kind::If ? next.isWord(L"Then") : next.kind == MacroToken::Kind::End;
    if (!ended)
        return syntax(L"Unexpected '" + next.text + L"' in the condition");
    if (value.isText())
        return {MACRO_ERR_TYPE, L"A condition must be a number, not a text"};
    *result = value.number() != 0.0;
    return ok();
}

MacroError MacroInterpreter::Impl::runBody(const UserMacro& macro, HCPCONTEXT context)
{
    for (std::size_t i = 0; i < macro.body.size() && !frames.back().returning;) {
        const MacroLine& line = macro.body[i];
        location = {macro.file, line.lineNumber};
        if (++macroLinesRun > MAX_MACRO_LINES)
            return {MACRO_ERR_NESTING, L"The command line ran more than " + std::to_wstring(MAX_MACRO_LINES) +
                                           L" macro lines and was stopped"};
        bool holds = false;
        MacroError error;
        switch (line.kind) {
        case MacroLine::Kind::Statement:
            error = runLine(line.text, context);
            ++i;
            break;
        case MacroLine::Kind::If:
        case MacroLine::Kind::While:
            error = condition(line, &holds);
            i = holds ? i + 1 : line.jump;
            break;
        case MacroLine::Kind::Else:
        case MacroLine::Kind::EndWhile:
            i = line.jump;
            break;
        case MacroLine::Kind::EndIf:
            ++i;
            break;
        }
        // A failing line of an inner macro left its own location, which is the one reported.
        if (error.code != MACRO_OK)
            return error;
    }
    return ok();
}

MacroError MacroInterpreter::Impl::loadFile(std::wstring_view windowsPath)
{
    const auto hostPath = DriveMap::toHost(windowsPath);
    const auto bytes = hostPath ? FileBytes::read(*hostPath) : std::nullopt;
    if (!bytes)
        return {MACRO_ERR_FILE, L"Cannot read macro file: " + std::wstring(windowsPath)};
    std::vector<UserMacro> read;
    MacroError error;
    if (!MacroFileReader::read(Utf8ToWide(*bytes), std::wstring(windowsPath), &read, &error))
        return error;
    for (UserMacro& macro : read)
        macros[key(macro.name)] = std::move(macro);
    return ok();
}

void MacroInterpreter::Impl::report(const MacroError& error, std::wstring_view line)
{
    CpVariables& variables = CpVariables::instance();
    variables.set("_ERROR", CpValue(static_cast<double>(error.code)));
    variables.set("_ERRMSG$", CpValue(error.message));
    variables.set("_ERRCMD$", CpValue(std::wstring(line)));
    variables.set("_ERRFILE$", CpValue(location.file));
    variables.set("_ERRLINE", CpValue(static_cast<double>(location.line)));
    if (!showError)
        return;
    if (location.file.empty())
        showError(error.message);
    else
        showError(location.file + L", line " + std::to_wstring(location.line) + L": " + error.message);
}

void MacroInterpreter::Impl::registerBuiltIns()
{
    commands[L"PRINT"] = {0, ANY_COUNT, [this](MacroCall& call) {
                              std::wstring text;
                              for (const CpValue& argument : call.arguments())
                                  text += argument.toText();
                              if (print)
                                  print(text);
                          }};
}

MacroInterpreter& MacroInterpreter::instance()
{
    static MacroInterpreter interpreter;
    return interpreter;
}

MacroInterpreter::MacroInterpreter() : m_impl(std::make_unique<Impl>())
{
    m_impl->registerBuiltIns();
}

MacroInterpreter::~MacroInterpreter() = default;

void MacroInterpreter::registerCommand(std::string_view name, int minArguments, int maxArguments, Handler handler)
{
    m_impl->commands[key(Utf8ToWide(name))] = {minArguments, maxArguments, std::move(handler)};
}

void MacroInterpreter::unregisterCommand(std::string_view name)
{
    m_impl->commands.erase(key(Utf8ToWide(name)));
}

bool MacroInterpreter::isKnownCommand(std::string_view name) const
{
    const std::wstring k = key(Utf8ToWide(name));
    return m_impl->commands.contains(k) || m_impl->macros.contains(k);
}

int MacroInterpreter::execute(std::wstring_view line, HCPCONTEXT context)
{
    // A line typed while a handler runs a nested loop (a modal dialog) stands on its own: it
    // sees no macro's locals, and its error is its own.
    const Location outerLocation = std::exchange(m_impl->location, {});
    std::vector<Frame> outerFrames = std::exchange(m_impl->frames, {});
    const long outerLinesRun = std::exchange(m_impl->macroLinesRun, 0);
    ++m_impl->running;
    const MacroError error = m_impl->runLine(line, context);
    --m_impl->running;
    if (error.code != MACRO_OK)
        m_impl->report(error, line);
    m_impl->frames = std::move(outerFrames);
    m_impl->macroLinesRun = outerLinesRun;
    m_impl->location = outerLocation;
    return error.code;
}

int MacroInterpreter::runQueuedCommands()
{
    // A nested loop inside a command's handler (a modal dialog) leaves the queue alone: queued
    // lines run after the handler that queued them has returned.
    if (m_impl->running > 0)
        return 0;
    int count = 0;
    while (auto next = CpCommandQueue::instance().takeNext()) {
        execute(next->line, next->context);
        ++count;
    }
    return count;
}

int MacroInterpreter::loadMacroFile(std::wstring_view windowsPath)
{
    m_impl->location = {};
    MacroError error = m_impl->loadFile(windowsPath);
    if (error.code != MACRO_OK)
        m_impl->report(error, L"Macro \"" + std::wstring(windowsPath) + L"\"");
    return error.code;
}

void MacroInterpreter::setPrintOutput(Output output)
{
    m_impl->print = std::move(output);
}

void MacroInterpreter::setErrorOutput(Output output)
{
    m_impl->showError = std::move(output);
}

void MacroInterpreter::reset()
{
    m_impl->commands.clear();
    m_impl->macros.clear();
    m_impl->frames.clear();
    m_impl->registerBuiltIns();
}
