// Data file and sub-folder names checked against the data path and Windows' file names.
#include "DataFolderName.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"

#include "kernel/WinFormat.h"

#include <cwctype>

namespace {

constexpr std::wstring_view forbiddenInFileNames = L"\\/:*?\"<>|";

std::wstring Refusal(UINT id, std::wstring_view name) { return FormatWin(ModuleString(id).c_str(), std::wstring(name).c_str()); }

} // namespace

bool DataFolderName::HoldsForbiddenCharacter(std::wstring_view name)
{
    for (wchar_t c : name)
        if (std::iswcntrl(static_cast<wint_t>(c)) || forbiddenInFileNames.find(c) != std::wstring_view::npos)
            return true;
    return false;
}

std::wstring DataFolderName::RefusalOfDataFile(std::wstring_view name)
{
    return HoldsForbiddenCharacter(name) ? Refusal(IDS_DATA_FILE_FORBIDDEN, name) : std::wstring();
}

std::wstring DataFolderName::RefusalOfSubFolder(std::wstring_view subFolder)
{
    // A leading separator or a drive starts at a root; ".." goes up.
    const bool rooted = !subFolder.empty() && (subFolder.front() == L'\\' || subFolder.front() == L'/');
    const bool drive = subFolder.size() >= 2 && subFolder[1] == L':';
    bool up = false;
    bool forbidden = false;
    for (std::size_t start = 0; start <= subFolder.size();) {
        const std::size_t end = std::min(subFolder.find_first_of(L"\\/", start), subFolder.size());
        const std::wstring_view part = subFolder.substr(start, end - start);
        up = up || part == L"..";
        forbidden = forbidden || HoldsForbiddenCharacter(part);
        start = end + 1;
    }
    if (rooted || drive || up)
        return Refusal(IDS_SUB_FOLDER_LEAVES_DATA_PATH, subFolder);
    return forbidden ? Refusal(IDS_SUB_FOLDER_FORBIDDEN, subFolder) : std::wstring();
}
