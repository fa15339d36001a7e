// Icons by handle: the stock ones (IDI_...) and those a module's resources hold. Headless, an
// icon is only its name: "error", "warning", "question", "information", "application" or "#id".
#pragma once

#include "win/WinUser.h"

#include <map>
#include <string>

class IconTable {
public:
    static IconTable& instance();

    // Null when the module has no such icon resource.
    HICON load(HINSTANCE instance, LPCWSTR name);
    std::wstring nameOf(HICON icon) const;
    // "#23", a number or a stock name as a dialog template writes it.
    static LPCWSTR resourceName(const std::wstring& text);

private:
    std::map<std::wstring, HICON> m_byName;
    std::map<HICON, std::wstring> m_names;
    std::uintptr_t m_nextHandle = 0x40000;
};
