// Naming and finding the folders that interrupted runs left beside the rows' data folders.
#include "KeptDataFolders.h"

#include "kernel/FileApi.h"
#include "kernel/Text.h"

#include <algorithm>
#include <cwctype>

namespace {

constexpr std::wstring_view kKept = L"-interrupted";

// A name's extension, from its last dot on; empty when it has none.
std::size_t ExtensionAt(const std::wstring& strName)
{
    const std::size_t nDot = strName.rfind(L'.');
    const std::size_t nSeparator = strName.find_last_of(L"\\/");
    const bool bHasExtension = nDot != std::wstring::npos && (nSeparator == std::wstring::npos || nDot > nSeparator);
    return bHasExtension ? nDot : strName.size();
}

// The data folder's name in capitals that a kept folder's name was made from ("X-INTERRUPTED2.D"
// from "X.D"), or empty when the name is not one of a kept folder.
std::wstring KeptFrom(const std::wstring& strName)
{
    const std::size_t nKept = ToUpperWide(strName).rfind(ToUpperWide(kKept));
    if (nKept == std::wstring::npos)
        return {};
    std::size_t nAt = nKept + kKept.size();
    while (nAt < strName.size() && std::iswdigit(strName[nAt]))
        ++nAt;
    if (nAt < strName.size() && strName[nAt] != L'.')
        return {};
    return ToUpperWide(strName.substr(0, nKept) + strName.substr(nAt));
}

} // namespace

std::wstring KeptDataFolders::FreeNameBeside(const std::wstring& strFolder)
{
    const std::size_t nExtension = ExtensionAt(strFolder);
    for (int n = 1;; ++n) {
        const std::wstring strName = strFolder.substr(0, nExtension) + std::wstring(kKept) +
                                     (n > 1 ? std::to_wstring(n) : std::wstring()) + strFolder.substr(nExtension);
        if (::GetFileAttributesW(strName.c_str()) == INVALID_FILE_ATTRIBUTES)
            return strName;
    }
}

std::vector<std::wstring> KeptDataFolders::Beside(const std::wstring& strFolder)
{
    const std::size_t nSeparator = strFolder.find_last_of(L"\\/");
    const std::wstring strParent = nSeparator == std::wstring::npos ? L"" : strFolder.substr(0, nSeparator + 1);
    const std::wstring strParentKey = ToUpperWide(strParent);
    auto listed = m_listed.find(strParentKey);
    if (listed == m_listed.end()) {
        listed = m_listed.emplace(strParentKey, std::map<std::wstring, std::vector<std::wstring>>()).first;
        WIN32_FIND_DATAW found{};
        const HANDLE search = ::FindFirstFileW((strParent + L"*" + std::wstring(kKept) + L"*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do
                if (const std::wstring strFrom = KeptFrom(found.cFileName); !strFrom.empty())
                    listed->second[strFrom].push_back(strParent + found.cFileName);
            while (::FindNextFileW(search, &found));
            ::FindClose(search);
        }
        for (auto& [strFrom, kept] : listed->second)
            std::ranges::sort(kept);
    }
    const auto kept = listed->second.find(ToUpperWide(strFolder.substr(strParent.size())));
    return kept == listed->second.end() ? std::vector<std::wstring>() : kept->second;
}
