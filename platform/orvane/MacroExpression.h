// Evaluates one expression of the macro language from a line's tokens: numbers, texts,
// variables, arithmetic, joined texts, comparisons, And, Or, Not and parentheses.
#pragma once

#include "CpValue.h"
#include "MacroError.h"
#include "MacroLexer.h"

#include <functional>
#include <optional>
#include <vector>

class MacroExpression {
public:
    // Parentheses, Not and minus signs nested deeper than this are refused, long before the
    // recursion could exhaust the stack.
    static constexpr int MAX_DEPTH = 100;

    using Lookup = std::function<std::optional<CpValue>(const std::wstring& name)>;

    MacroExpression(const std::vector<MacroToken>& tokens, std::size_t position, Lookup lookup)
        : m_tokens(tokens), m_position(position), m_lookup(std::move(lookup))
    {
    }

    // Evaluates from the current position up to a comma, the end, or a token that cannot continue
    // the expression; position() is then at that token.
    bool evaluate(CpValue* value, MacroError* error);
    std::size_t position() const { return m_position; }

private:
    const std::vector<MacroToken>& m_tokens;
    std::size_t m_position;
    Lookup m_lookup;
    MacroError* m_error = nullptr;
    int m_depth = 0;

    const MacroToken& peek() const { return m_tokens[m_position]; }
    bool fail(int code, std::wstring message);
    bool nested(bool (MacroExpression::*parse)(CpValue*), CpValue* value);
    bool arithmetic(double result, std::wstring_view op, CpValue* value);
    bool parseOr(CpValue* value);
    bool parseAnd(CpValue* value);
    bool parseNot(CpValue* value);
    bool parseComparison(CpValue* value);
    bool parseSum(CpValue* value);
    bool parseProduct(CpValue* value);
    bool parseUnary(CpValue* value);
    bool parsePrimary(CpValue* value);
    bool needNumbers(const CpValue& a, const CpValue& b, std::wstring_view op);
};
