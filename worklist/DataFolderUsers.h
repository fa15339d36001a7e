// The data folders that the rows of a worklist's groups write, each with the first row that names
// it, so that one group's import or run never takes another group's data.
#pragma once

#include "GroupRows.h"

#include "kernel/WinTypes.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class DataFolderUsers {
public:
    struct User {
        std::wstring group;
        // The row's number in its group, from 1.
        LONG row;
    };

    // The rows of every group named but the group except; a group that cannot be read adds nothing.
    static DataFolderUsers Read(const WorklistPlace& place, const std::vector<GroupEntry>& groups,
                                const std::wstring& except);
    // The row whose data goes into data path\subFolder\dataFile, or nullptr when no row's does.
    const User* Find(std::wstring_view subFolder, std::wstring_view dataFile) const;

private:
    // By the folder below the data path, in capitals.
    std::unordered_map<std::wstring, User> m_users;
};
