// Group operations on group_tbl.
#include "GroupRows.h"

#include "CMethodTable.h"
#include "RecordText.h"

#include "module/ModuleString.h"

#include "kernel/Text.h"

#include <cwctype>

namespace {

// The characters Windows refuses in a file name.
constexpr std::wstring_view forbiddenInFileNames = L"\\/:*?\"<>|";

} // namespace

std::vector<GroupEntry> GroupRows::List()
{
    std::vector<GroupEntry> groups;
    for (m_table.MoveFirst(); m_table.HasCurrentRow(); m_table.MoveNext())
        groups.push_back({m_table.GroupName, m_table.GroupID});
    return groups;
}

std::wstring GroupRows::RefusalOf(const std::wstring& name, const std::vector<GroupEntry>& listed)
{
    for (const GroupEntry& group : listed)
        if (EqualsNoCase(group.name, name))
            return ModuleString(22017);
    bool valid = !name.empty() && name.size() <= 50 && name.front() != L' ';
    for (wchar_t c : name)
        valid = valid && !std::iswcntrl(static_cast<wint_t>(c)) && forbiddenInFileNames.find(c) == std::wstring::npos;
    return valid ? std::wstring() : ModuleString(22035);
}

HRESULT GroupRows::Add(const std::wstring& name, bool listIsEmpty, LONG* newId, void (*wait)(DWORD))
{
    if (listIsEmpty)
        m_table.GroupID = 1;
    const HRESULT status = CMethodTable().CreateMethodTable(name);
    if (FAILED(status))
        return status;
    wait(1000);
    m_table.MoveLast();
    m_table.GroupID += 1;
    SetRecordText(m_table.GroupName, name);
    SetRecordText(m_table.ShutDownOption, ModuleString(22011));
    SetRecordText(m_table.RecoveryCommand, L"");
    m_table.RunOpen = 0;
    m_table.StoppedRow = 0;
    m_table.Insert();
    *newId = m_table.GroupID;
    return status;
}

void GroupRows::DeleteRow(LONG id)
{
    if (FindById(id))
        m_table.Delete();
}

bool GroupRows::FindById(LONG id)
{
    for (m_table.MoveFirst(); m_table.HasCurrentRow(); m_table.MoveNext())
        if (m_table.GroupID == id)
            return true;
    return false;
}

void GroupRows::StoreShutDownOption(LONG id, const std::wstring& option)
{
    if (!FindById(id))
        return;
    SetRecordText(m_table.ShutDownOption, option);
    m_table.SetData();
}

void GroupRows::StoreRecoveryCommand(LONG id, const std::wstring& command)
{
    if (!FindById(id))
        return;
    SetRecordText(m_table.RecoveryCommand, command);
    m_table.SetData();
}

HRESULT GroupRows::StoreRunEnd(LONG id, LONG runOpen, LONG stoppedRow)
{
    if (!FindById(id))
        return DB_E_NOTABLE;
    m_table.RunOpen = runOpen;
    m_table.StoppedRow = stoppedRow;
    return m_table.SetData();
}
