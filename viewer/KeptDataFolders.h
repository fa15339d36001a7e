// The folders kept beside rows' data folders from interrupted runs ("X-interrupted.d", then
// "X-interrupted2.d" and so on): a free name for the next one, and those already there.
#pragma once

#include <map>
#include <string>
#include <vector>

class KeptDataFolders {
public:
    // A free name beside the data folder (a full path) for what an interrupted run left in it.
    static std::wstring FreeNameBeside(const std::wstring& strFolder);
    // The kept folders beside the data folder (a full path). Each parent folder is listed once,
    // so that the rows of a long group are looked up in one pass.
    std::vector<std::wstring> Beside(const std::wstring& strFolder);

private:
    // Each parent folder's kept folders (full paths), by their data folder's name in capitals.
    std::map<std::wstring, std::map<std::wstring, std::vector<std::wstring>>> m_listed;
};
