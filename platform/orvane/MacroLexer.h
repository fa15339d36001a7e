// Splits a line of the macro language (or of a register file) into numbers, quoted texts, names
// and symbols.
#pragma once

#include "MacroError.h"

#include <string>
#include <string_view>
#include <vector>

struct MacroToken {
    enum class Kind { End, Number, Text, Name, Symbol };
    Kind kind = Kind::End;
    // The text of a quoted text (quotes removed, "" made one), a name as written, or a symbol.
    std::wstring text;
    double number = 0;

    bool is(Kind k, std::wstring_view t) const { return kind == k && text == t; }
    bool isSymbol(std::wstring_view symbol) const { return is(Kind::Symbol, symbol); }
    // A name equal to word without regard to case.
    bool isWord(std::wstring_view word) const;
};

class MacroLexer {
public:
    // The tokens of the line, the last one End. False, with a syntax error, for an unterminated
    // quote or a character the language does not know.
    static bool tokenize(std::wstring_view line, std::vector<MacroToken>* tokens, MacroError* error);
};
