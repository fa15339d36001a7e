// An object of a register: its tables and its text items (NDR strings such as "ModMsgText").
#pragma once

#include "RegTable.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class RegObject {
public:
    explicit RegObject(std::wstring name = {}) : m_name(std::move(name)) {}
    const std::wstring& name() const { return m_name; }

    // Replaces a table of the same name.
    RegTable& addTable(std::wstring name);
    RegTable* table(std::wstring_view name);
    const std::vector<std::unique_ptr<RegTable>>& tables() const { return m_tables; }

    void setText(std::wstring_view name, std::wstring text);
    const std::wstring* text(std::wstring_view name) const;

private:
    std::wstring m_name;
    std::vector<std::unique_ptr<RegTable>> m_tables;
    std::vector<std::pair<std::wstring, std::wstring>> m_texts;
};
