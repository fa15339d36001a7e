// Register objects: tables and text items by name.
#include "RegObject.h"

#include "kernel/Text.h"

#include <algorithm>

RegTable& RegObject::addTable(std::wstring name)
{
    std::erase_if(m_tables, [&](const auto& table) { return EqualsNoCase(table->name(), name); });
    m_tables.push_back(std::make_unique<RegTable>(std::move(name)));
    return *m_tables.back();
}

RegTable* RegObject::table(std::wstring_view name)
{
    for (const auto& table : m_tables)
        if (EqualsNoCase(table->name(), name))
            return table.get();
    return nullptr;
}

void RegObject::setText(std::wstring_view name, std::wstring text)
{
    for (auto& [itemName, itemText] : m_texts)
        if (EqualsNoCase(itemName, name)) {
            itemText = std::move(text);
            return;
        }
    m_texts.emplace_back(std::wstring(name), std::move(text));
}

const std::wstring* RegObject::text(std::wstring_view name) const
{
    for (const auto& [itemName, itemText] : m_texts)
        if (EqualsNoCase(itemName, name))
            return &itemText;
    return nullptr;
}
