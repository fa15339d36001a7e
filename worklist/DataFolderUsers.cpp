// Reading which row of which group writes each data folder.
#include "DataFolderUsers.h"

#include "CMethodTable.h"

#include "kernel/Text.h"

#include <algorithm>

namespace {

// The folder below the data path, in capitals: "run1/" and "\Run1" are the same sub-folder.
std::wstring FolderKey(std::wstring_view subFolder, std::wstring_view dataFile)
{
    std::wstring key(subFolder);
    std::ranges::replace(key, L'/', L'\\');
    key.erase(0, key.find_first_not_of(L'\\'));
    key.erase(key.find_last_not_of(L'\\') + 1);
    if (!key.empty())
        key += L'\\';
    return ToUpperWide(key.append(dataFile));
}

} // namespace

DataFolderUsers DataFolderUsers::Read(const WorklistPlace& place, const std::vector<GroupEntry>& groups,
                                      const std::wstring& except)
{
    DataFolderUsers users;
    CMethodTable table(place);
    if (FAILED(table.OpenDataSource()))
        return users;
    for (const GroupEntry& group : groups) {
        // Group names differ in more than letter case.
        if (EqualsNoCase(group.name, except) || FAILED(table.OpenRowsToRead(group.name)))
            continue;
        for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
            users.m_users.try_emplace(FolderKey(table.SubFolder, table.DataFile), User{group.name, table.aaaID + 1});
        table.Close();
    }
    table.CloseAll();
    return users;
}

const DataFolderUsers::User* DataFolderUsers::Find(std::wstring_view subFolder, std::wstring_view dataFile) const
{
    const auto found = m_users.find(FolderKey(subFolder, dataFile));
    return found == m_users.end() ? nullptr : &found->second;
}
