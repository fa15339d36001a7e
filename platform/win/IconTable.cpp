// Icons and the Win32 calls that load them.
#include "win/IconTable.h"

#include "kernel/FileApi.h"
#include "kernel/Resources.h"

#include <cwchar>

namespace {

constexpr WORD RT_GROUP_ICON_ID = 14;

std::wstring stockName(std::uintptr_t id)
{
    switch (id) {
    case 32512: return L"application";
    case 32513: return L"error";
    case 32514: return L"question";
    case 32515: return L"warning";
    case 32516: return L"information";
    default: return {};
    }
}

} // namespace

IconTable& IconTable::instance()
{
    static IconTable table;
    return table;
}

LPCWSTR IconTable::resourceName(const std::wstring& text)
{
    const wchar_t* digits = text.c_str() + (text.starts_with(L'#') ? 1 : 0);
    wchar_t* end = nullptr;
    const unsigned long id = std::wcstoul(digits, &end, 10);
    if (*digits == L'\0' || !end || *end != L'\0' || id > 0xFFFF)
        return nullptr;
    return MAKEINTRESOURCEW(static_cast<WORD>(id));
}

HICON IconTable::load(HINSTANCE instance, LPCWSTR name)
{
    if (!name || !IS_INTRESOURCE(name)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    const auto id = reinterpret_cast<std::uintptr_t>(name);
    std::wstring iconName = stockName(id);
    if (iconName.empty()) {
        if (!FindResourceW(instance, name, RT_ICON) && !FindResourceW(instance, name, MAKEINTRESOURCEW(RT_GROUP_ICON_ID)))
            return nullptr;
        iconName = L"#" + std::to_wstring(id);
    }
    if (const auto it = m_byName.find(iconName); it != m_byName.end())
        return it->second;
    const auto icon = reinterpret_cast<HICON>(m_nextHandle);
    m_nextHandle += 4;
    m_byName[iconName] = icon;
    m_names[icon] = iconName;
    return icon;
}

std::wstring IconTable::nameOf(HICON icon) const
{
    const auto it = m_names.find(icon);
    return it == m_names.end() ? std::wstring() : it->second;
}

HICON LoadIconW(HINSTANCE instance, LPCWSTR name) { return IconTable::instance().load(instance, name); }

