// Reading, checking and adding a CSV worklist's rows.
#include "CDialogImportWorklist.h"
#include "ShowOleDbErrors.h"

#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "module/core/ReadStrVar.h"
#include "resources/ResourceIds.h"
#include "worklist/CGroupTable.h"
#include "worklist/DataFolderUsers.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/WorklistImport.h"

#include "kernel/CrtFile.h"
#include "kernel/WinFormat.h"

CDialogImportWorklist::CDialogImportWorklist(CWnd* pParent, MethodRows& rows, CComboBox& groups)
    : CDialogBase(IDD_IMPORT_WORKLIST, pParent), m_pViewer(pParent), m_rows(rows), m_comboGroups(groups)
{
    m_dwHelpContext = IDH_IMPORT_WORKLIST;
}

BOOL CDialogImportWorklist::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    const BOOL bGroupShown = m_rows.Table() != nullptr;
    EnableControl(IDC_IMPORT_SHOWN_GROUP, bGroupShown);
    ::CheckRadioButton(m_hWnd, IDC_IMPORT_SHOWN_GROUP, IDC_IMPORT_NEW_GROUP,
                       bGroupShown ? IDC_IMPORT_SHOWN_GROUP : IDC_IMPORT_NEW_GROUP);
    return TRUE;
}

void CDialogImportWorklist::OnOK()
{
    const std::wstring strFile = TypedFileName(IDC_IMPORT_FILE, IDC_IMPORT_RESULT, IDS_NO_IMPORT_FILE);
    if (strFile.empty())
        return;
    std::string bytes;
    const auto file = CrtFile::open(strFile, L"r");
    if (!file || !file->readBytes(bytes)) {
        SetDlgItemText(IDC_IMPORT_RESULT, FormatWin(ModuleString(IDS_IMPORT_UNREADABLE).c_str(), strFile.c_str()));
        return;
    }
    // The host may have moved its method directory since the window opened.
    ReadStrVar("_METHPATH$", ModuleSettings.strMethodPath);
    std::vector<ImportedRow> rows;
    std::wstring strFault = WorklistImport::Read(bytes, WorklistImport::MethodsIn(ModuleSettings.strMethodPath), rows);
    const BOOL bNewGroup = ::IsDlgButtonChecked(m_hWnd, IDC_IMPORT_NEW_GROUP) == BST_CHECKED;
    // A new group has no rows yet: every listed group's rows are another group's.
    if (strFault.empty())
        strFault = WorklistImport::OtherGroupsData(
            rows,
            DataFolderUsers::Read(ModuleSettings, ListedGroups(), bNewGroup ? std::wstring() : m_rows.GroupName()));
    if (!strFault.empty()) {
        SetDlgItemText(IDC_IMPORT_RESULT, FormatWin(ModuleString(IDS_IMPORT_REFUSED).c_str(), strFault.c_str()));
        return;
    }
    SetDlgItemText(IDC_IMPORT_RESULT, L"");
    std::wstring strNewGroup;
    LONG nNewId = 0;
    if (bNewGroup && !AddNamedGroup(strNewGroup, nNewId))
        return;
    // A new group's rows go in through rows of their own; the list then shows the group.
    MethodRows newGroup(ModuleSettings);
    MethodRows& target = nNewId ? newGroup : m_rows;
    if (nNewId && ShowOleDbErrors(newGroup.LoadGroup(strNewGroup, nNewId)))
        return;
    const HRESULT status = target.AppendRows(rows, ModuleSettings.strMethodPath, strFile);
    ShowOleDbErrors(status);
    if (SUCCEEDED(status))
        SetDlgItemText(IDC_IMPORT_RESULT, FormatWin(ModuleString(IDS_IMPORTED).c_str(), static_cast<int>(rows.size()),
                                                    strFile.c_str(), target.GroupName().c_str()));
    ShowChosenGroup();
}

BOOL CDialogImportWorklist::AddNamedGroup(std::wstring& strName, LONG& nNewId)
{
    GetDlgItemText(IDC_IMPORT_GROUP_NAME, strName);
    const std::vector<GroupEntry> listed = ListedGroups();
    std::wstring strRefusal = GroupRows::RefusalOf(strName, listed);
    CGroupTable table(ModuleSettings);
    HRESULT status = S_OK;
    if (strRefusal.empty()) {
        status = table.Open();
        if (SUCCEEDED(status))
            status = GroupRows(table).Add(strName, listed.empty(), &nNewId);
        // A table of that name left without its group: Add Group offers to take it back.
        if (status == DB_E_DUPLICATETABLEID)
            strRefusal = ModuleString(IDS_GROUP_NAME_REPEATED);
        else
            ShowOleDbErrors(status);
    }
    if (!strRefusal.empty())
        SetDlgItemText(IDC_IMPORT_RESULT, FormatWin(ModuleString(IDS_IMPORT_REFUSED).c_str(), strRefusal.c_str()));
    if (!strRefusal.empty() || FAILED(status))
        return FALSE;
    const int nIndex = m_comboGroups.AddString(strName.c_str());
    m_comboGroups.SetItemData(nIndex, static_cast<DWORD_PTR>(nNewId));
    m_comboGroups.SetCurSel(nIndex);
    return TRUE;
}

std::vector<GroupEntry> CDialogImportWorklist::ListedGroups() const
{
    std::vector<GroupEntry> listed;
    for (int nIndex = 0; nIndex < m_comboGroups.GetCount(); ++nIndex) {
        std::wstring strListed;
        m_comboGroups.GetLBText(nIndex, strListed);
        listed.push_back({strListed, static_cast<LONG>(m_comboGroups.GetItemData(nIndex))});
    }
    return listed;
}

void CDialogImportWorklist::ShowChosenGroup()
{
    m_pViewer->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_GROUP, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(m_comboGroups.GetSafeHwnd()));
}
