// Register files: one statement a line, tokenized as the macro language tokenizes.
#include "RegFileReader.h"

#include "MacroLexer.h"

#include <cmath>
#include <limits>
#include <optional>
#include <sstream>

namespace {

using Kind = MacroToken::Kind;

struct Reader {
    std::vector<std::unique_ptr<RegObject>> objects;
    RegObject* object = nullptr;
    RegTable* table = nullptr;
    bool sawHeader = false;
    std::wstring problem;

    bool fail(std::wstring message)
    {
        problem = std::move(message);
        return false;
    }
    bool statement(const std::vector<MacroToken>& tokens);
    bool objectStatement(const std::vector<MacroToken>& tokens);
    bool tableStatement(const std::vector<MacroToken>& tokens);
    bool row(const std::vector<MacroToken>& tokens);
};

// A number or a text at position, a leading minus allowed; advances past it.
std::optional<CpValue> literal(const std::vector<MacroToken>& tokens, std::size_t* position)
{
    const bool negative = tokens[*position].isSymbol(L"-");
    const MacroToken& token = tokens[*position + (negative ? 1 : 0)];
    if (token.kind == Kind::Number) {
        *position += negative ? 2 : 1;
        return CpValue(negative ? -token.number : token.number);
    }
    if (token.kind == Kind::Text && !negative) {
        ++*position;
        return CpValue(token.text);
    }
    return std::nullopt;
}

// "name = value" from position 1, the value a number or a text; its end must end the line.
bool namedValue(const std::vector<MacroToken>& tokens, std::wstring* name, std::optional<CpValue>* value)
{
    if (tokens[1].kind != Kind::Name || !tokens[2].isSymbol(L"="))
        return false;
    std::size_t position = 3;
    *name = tokens[1].text;
    *value = literal(tokens, &position);
    return *value && tokens[position].kind == Kind::End;
}

bool Reader::statement(const std::vector<MacroToken>& tokens)
{
    const MacroToken& first = tokens[0];
    if (!sawHeader) {
        sawHeader = first.isWord(L"ORVANE") && tokens[1].isWord(L"REGISTER") && tokens[2].kind == Kind::Number &&
                    tokens[2].number == 1 && tokens[3].kind == Kind::End;
        return sawHeader || fail(L"not a register file: the first line must be ORVANE REGISTER 1");
    }
    if (table)
        return tableStatement(tokens);
    if (object)
        return objectStatement(tokens);
    if (!first.isWord(L"Object"))
        return fail(L"expected Object");
    const bool named = tokens[1].kind == Kind::Text;
    if (tokens[named ? 2 : 1].kind != Kind::End)
        return fail(L"Object takes one quoted name or none");
    objects.push_back(std::make_unique<RegObject>(named ? tokens[1].text : L""));
    object = objects.back().get();
    return true;
}

bool Reader::objectStatement(const std::vector<MacroToken>& tokens)
{
    const MacroToken& first = tokens[0];
    if (first.isWord(L"EndObject")) {
        object = nullptr;
        return tokens[1].kind == Kind::End || fail(L"EndObject takes nothing");
    }
    if (first.isWord(L"Table")) {
        if (tokens[1].kind != Kind::Name || tokens[2].kind != Kind::End)
            return fail(L"Table takes one name");
        table = &object->addTable(tokens[1].text);
        return true;
    }
    if (first.isWord(L"Text")) {
        std::wstring name;
        std::optional<CpValue> value;
        if (!namedValue(tokens, &name, &value) || !value->isText())
            return fail(L"Text takes a name, '=' and a quoted text");
        object->setText(name, value->text());
        return true;
    }
    return fail(L"expected Table, Text or EndObject");
}

bool Reader::tableStatement(const std::vector<MacroToken>& tokens)
{
    const MacroToken& first = tokens[0];
    if (first.isWord(L"EndTable")) {
        table = nullptr;
        return tokens[1].kind == Kind::End || fail(L"EndTable takes nothing");
    }
    if (first.isWord(L"Header")) {
        std::wstring name;
        std::optional<CpValue> value;
        if (!namedValue(tokens, &name, &value))
            return fail(L"Header takes a name, '=' and a number or a quoted text");
        table->setHeader(name, *value);
        return true;
    }
    if (first.isWord(L"Column")) {
        if (tokens[1].kind != Kind::Name || !(tokens[2].isWord(L"Long") || tokens[2].isWord(L"String")) ||
            tokens[3].kind != Kind::End)
            return fail(L"Column takes a name and Long or String");
        if (table->rowCount() > 0)
            return fail(L"Columns come before the first Row");
        return table->addColumn(tokens[1].text, tokens[2].isWord(L"Long") ? RegTable::ColumnType::Long : RegTable::ColumnType::String) ||
               fail(L"the column " + tokens[1].text + L" is declared twice");
    }
    if (first.isWord(L"Row"))
        return row(tokens);
    return fail(L"expected Header, Column, Row or EndTable");
}

bool Reader::row(const std::vector<MacroToken>& tokens)
{
    std::vector<std::optional<CpValue>> values;
    std::size_t position = 1;
    if (tokens[position].kind != Kind::End)
        for (;;) {
            if (tokens[position].isSymbol(L",") || tokens[position].kind == Kind::End)
                values.emplace_back();
            else if (auto value = literal(tokens, &position))
                values.push_back(std::move(value));
            else
                return fail(L"a Row value must be a number or a quoted text");
            if (tokens[position].kind == Kind::End)
                break;
            if (!tokens[position].isSymbol(L","))
                return fail(L"Row values are separated by commas");
            ++position;
        }
    if (values.size() > table->columnCount())
        return fail(L"Row has " + std::to_wstring(values.size()) + L" values, the table has " +
                    std::to_wstring(table->columnCount()) + L" columns");
    const std::size_t number = table->addRow();
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!values[i])
            continue;
        const std::wstring& column = table->columnName(i);
        if (table->columnType(i) == RegTable::ColumnType::String) {
            if (!values[i]->isText())
                return fail(L"the column " + column + L" takes quoted texts");
            table->setString(number, column, values[i]->text());
            continue;
        }
        const double value = values[i]->number();
        if (values[i]->isText() || value != std::trunc(value) || value < std::numeric_limits<LONG>::min() ||
            value > std::numeric_limits<LONG>::max())
            return fail(L"the column " + column + L" takes whole numbers that fit 32 bits");
        table->setLong(number, column, static_cast<LONG>(value));
    }
    return true;
}

} // namespace

bool RegFileReader::read(std::wstring_view text, const std::wstring& file, std::vector<std::unique_ptr<RegObject>>* objects,
                         std::wstring* error)
{
    Reader reader;
    std::wistringstream lines{std::wstring(text)};
    int lineNumber = 0;
    for (std::wstring line; std::getline(lines, line);) {
        ++lineNumber;
        const auto first = line.find_first_not_of(L" \t\r");
        if (first == std::wstring::npos || line[first] == L';')
            continue;
        std::vector<MacroToken> tokens;
        MacroError lexError;
        if (!MacroLexer::tokenize(line, &tokens, &lexError))
            reader.problem = lexError.message;
        else if (reader.statement(tokens))
            continue;
        *error = file + L", line " + std::to_wstring(lineNumber) + L": " + reader.problem;
        return false;
    }
    const wchar_t* unclosed = !reader.sawHeader ? L"not a register file: it is empty"
                              : reader.table    ? L"the last Table has no EndTable"
                              : reader.object   ? L"the last Object has no EndObject"
                                                : nullptr;
    if (unclosed) {
        *error = file + L": " + unclosed;
        return false;
    }
    *objects = std::move(reader.objects);
    return true;
}
