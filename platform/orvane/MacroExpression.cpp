// Recursive descent over a line's tokens, evaluating as it goes.
#include "MacroExpression.h"

#include "MacroInterpreter.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace {

bool truth(const CpValue& value)
{
    return value.number() != 0.0;
}

} // namespace

bool MacroExpression::evaluate(CpValue* value, MacroError* error)
{
    m_error = error;
    return parseOr(value);
}

bool MacroExpression::fail(int code, std::wstring message)
{
    *m_error = {code, std::move(message)};
    return false;
}

bool MacroExpression::nested(bool (MacroExpression::*parse)(CpValue*), CpValue* value)
{
    if (m_depth >= MAX_DEPTH)
        return fail(MACRO_ERR_NESTING, L"Expression nested deeper than " + std::to_wstring(MAX_DEPTH));
    ++m_depth;
    const bool parsed = (this->*parse)(value);
    --m_depth;
    return parsed;
}

// Host variables hold finite numbers only: an overflow is an error, never infinity or NaN.
bool MacroExpression::arithmetic(double result, std::wstring_view op, CpValue* value)
{
    if (!std::isfinite(result))
        return fail(MACRO_ERR_TYPE, L"The result of '" + std::wstring(op) + L"' is out of range");
    *value = CpValue(result);
    return true;
}

bool MacroExpression::needNumbers(const CpValue& a, const CpValue& b, std::wstring_view op)
{
    if (!a.isText() && !b.isText())
        return true;
    return fail(MACRO_ERR_TYPE, L"'" + std::wstring(op) + L"' takes numbers, not texts");
}

bool MacroExpression::parseOr(CpValue* value)
{
    if (!parseAnd(value))
        return false;
    while (peek().isWord(L"Or")) {
        ++m_position;
        CpValue right;
        if (!parseAnd(&right) || !needNumbers(*value, right, L"Or"))
            return false;
        *value = CpValue(truth(*value) || truth(right) ? 1.0 : 0.0);
    }
    return true;
}

bool MacroExpression::parseAnd(CpValue* value)
{
    if (!parseNot(value))
        return false;
    while (peek().isWord(L"And")) {
        ++m_position;
        CpValue right;
        if (!parseNot(&right) || !needNumbers(*value, right, L"And"))
            return false;
        *value = CpValue(truth(*value) && truth(right) ? 1.0 : 0.0);
    }
    return true;
}

bool MacroExpression::parseNot(CpValue* value)
{
    if (!peek().isWord(L"Not"))
        return parseComparison(value);
    ++m_position;
    if (!nested(&MacroExpression::parseNot, value) || !needNumbers(*value, CpValue(), L"Not"))
        return false;
    *value = CpValue(truth(*value) ? 0.0 : 1.0);
    return true;
}

bool MacroExpression::parseComparison(CpValue* value)
{
    if (!parseSum(value))
        return false;
    static const std::wstring_view operators[] = {L"=", L"<>", L"<", L">", L"<=", L">="};
    for (;;) {
        const auto op = std::find_if(std::begin(operators), std::end(operators),
                                     [this](std::wstring_view symbol) { return peek().isSymbol(symbol); });
        if (op == std::end(operators))
            return true;
        ++m_position;
        CpValue right;
        if (!parseSum(&right))
            return false;
        if (value->isText() != right.isText())
            return fail(MACRO_ERR_TYPE, L"'" + std::wstring(*op) + L"' compares a text with a number");
        const int order = value->isText() ? value->text().compare(right.text())
                                          : (value->number() < right.number() ? -1 : value->number() > right.number());
        const bool result = *op == L"=" ? order == 0
                            : *op == L"<>" ? order != 0
                            : *op == L"<"  ? order < 0
                            : *op == L">"  ? order > 0
                            : *op == L"<=" ? order <= 0
                                           : order >= 0;
        *value = CpValue(result ? 1.0 : 0.0);
    }
}

bool MacroExpression::parseSum(CpValue* value)
{
    if (!parseProduct(value))
        return false;
    while (peek().isSymbol(L"+") || peek().isSymbol(L"-")) {
        const bool plus = peek().isSymbol(L"+");
        ++m_position;
        CpValue right;
        if (!parseProduct(&right))
            return false;
        if (plus && (value->isText() || right.isText())) {
            *value = CpValue(value->toText() + right.toText());
            continue;
        }
        if (!needNumbers(*value, right, plus ? L"+" : L"-") ||
            !arithmetic(plus ? value->number() + right.number() : value->number() - right.number(), plus ? L"+" : L"-",
                        value))
            return false;
    }
    return true;
}

bool MacroExpression::parseProduct(CpValue* value)
{
    if (!parseUnary(value))
        return false;
    while (peek().isSymbol(L"*") || peek().isSymbol(L"/")) {
        const bool times = peek().isSymbol(L"*");
        ++m_position;
        CpValue right;
        if (!parseUnary(&right) || !needNumbers(*value, right, times ? L"*" : L"/"))
            return false;
        if (!times && right.number() == 0.0)
            return fail(MACRO_ERR_TYPE, L"Division by zero");
        if (!arithmetic(times ? value->number() * right.number() : value->number() / right.number(), times ? L"*" : L"/",
                        value))
            return false;
    }
    return true;
}

bool MacroExpression::parseUnary(CpValue* value)
{
    if (!peek().isSymbol(L"-"))
        return parsePrimary(value);
    ++m_position;
    if (!nested(&MacroExpression::parseUnary, value) || !needNumbers(*value, CpValue(), L"-"))
        return false;
    *value = CpValue(-value->number());
    return true;
}

bool MacroExpression::parsePrimary(CpValue* value)
{
    const MacroToken& token = peek();
    switch (token.kind) {
    case MacroToken::Kind::Number:
        ++m_position;
        *value = CpValue(token.number);
        return true;
    case MacroToken::Kind::Text:
        ++m_position;
        *value = CpValue(token.text);
        return true;
    case MacroToken::Kind::Name: {
        std::optional<CpValue> found = m_lookup(token.text);
        if (!found)
            return fail(MACRO_ERR_UNKNOWN_VARIABLE, L"Unknown variable: " + token.text);
        ++m_position;
        *value = std::move(*found);
        return true;
    }
    case MacroToken::Kind::Symbol:
        if (token.isSymbol(L"(")) {
            ++m_position;
            if (!nested(&MacroExpression::parseOr, value))
                return false;
            if (!peek().isSymbol(L")"))
                return fail(MACRO_ERR_SYNTAX, L"Missing ')'");
            ++m_position;
            return true;
        }
        return fail(MACRO_ERR_SYNTAX, L"Unexpected '" + token.text + L"'");
    case MacroToken::Kind::End:
        break;
    }
    return fail(MACRO_ERR_SYNTAX, L"Missing value at the end of the line");
}
