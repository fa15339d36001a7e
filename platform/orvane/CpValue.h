// The value of a host variable or of a macro expression: a double or a wide text.
#pragma once

#include <string>
#include <variant>

class CpValue {
public:
    CpValue() : m_value(0.0) {}
    CpValue(double number) : m_value(number) {}
    CpValue(std::wstring text) : m_value(std::move(text)) {}
    CpValue(const wchar_t* text) : m_value(std::wstring(text)) {}

    bool isText() const { return std::holds_alternative<std::wstring>(m_value); }
    // 0 for a text; the empty text for a number.
    double number() const;
    const std::wstring& text() const;
    // As Print shows it: a text as it is, a number without trailing zeros ("3", "0.25", "1e+20").
    std::wstring toText() const;

    bool operator==(const CpValue& other) const = default;

private:
    std::variant<double, std::wstring> m_value;
};
