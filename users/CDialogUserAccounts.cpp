// Listing the accounts and adding, editing and removing them.
#include "CDialogUserAccounts.h"

#include "CDialogUserInfo.h"

#include "dialogs/ShowOleDbErrors.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "resources/ResourceIds.h"

#include "kernel/WinFormat.h"
#include "win/afx/AfxMessageBox.h"
#include "win/afx/DDX.h"


namespace {

constexpr int kRoleImageWidth = 20;
constexpr COLORREF kTransparent = RGB(255, 0, 255);
constexpr DWORD kListStyle = LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;

// The columns: the host's heading and the width in pixels.
struct AccountColumn {
    UINT nHeading;
    int nWidth;
};
constexpr AccountColumn kColumns[] = {{17011, 100}, {17012, 80}, {17013, 150}};
constexpr int kHeadingCapacity = 30;
constexpr const wchar_t* kPasswordMask = L"********";

} // namespace

BEGIN_MESSAGE_MAP(CDialogUserAccounts, CDialogBase)
    ON_BN_CLICKED(IDC_ADD_ACCOUNT, &CDialogUserAccounts::OnAdd)
    ON_BN_CLICKED(IDC_EDIT_LISTED_ACCOUNT, &CDialogUserAccounts::OnEdit)
    ON_BN_CLICKED(IDC_REMOVE_ACCOUNT, &CDialogUserAccounts::OnRemove)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_ACCOUNT_LIST, &CDialogUserAccounts::OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, IDC_ACCOUNT_LIST, &CDialogUserAccounts::OnDoubleClick)
END_MESSAGE_MAP()

CDialogUserAccounts::CDialogUserAccounts(CWnd* pParent)
    : CDialogBase(IDD_USER_ACCOUNTS, pParent), m_users(ModuleSettings)
{
}

void CDialogUserAccounts::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ACCOUNT_LIST, m_list);
}

BOOL CDialogUserAccounts::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_images.Create(IDB_ROLE_IMAGES, kRoleImageWidth, 3, kTransparent);
    m_list.SetImageList(&m_images, LVSIL_SMALL);
    m_list.SetExtendedStyle(kListStyle);
    for (int nColumn = 0; nColumn < static_cast<int>(std::size(kColumns)); ++nColumn) {
        WCHAR szHeading[kHeadingCapacity] = {};
        NlsLoadString(ModuleResourceHandle(), kColumns[nColumn].nHeading, szHeading, kHeadingCapacity);
        m_list.InsertColumn(nColumn, szHeading, LVCFMT_LEFT, kColumns[nColumn].nWidth);
    }
    const HRESULT status = m_users.Open();
    ShowOleDbErrors(m_users.Hashed());
    if (FAILED(status)) {
        ShowOleDbErrors(status);
        EndDialog(IDOK);
        return TRUE;
    }
    FillList();
    EnableControl(IDC_EDIT_LISTED_ACCOUNT, FALSE);
    EnableControl(IDC_REMOVE_ACCOUNT, FALSE);
    return TRUE;
}

void CDialogUserAccounts::FillList()
{
    m_list.DeleteAllItems();
    int nItem = 0;
    for (m_users.MoveFirst(); m_users.HasCurrentRow(); m_users.MoveNext()) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = nItem;
        item.pszText = m_users.UserName;
        item.iImage = m_users.Role;
        m_list.InsertItem(&item);
        // The password is never shown, nor its length: the same mask for every account that has
        // one, so that an administrator sees which accounts have none.
        m_list.SetItemText(nItem, 1, m_users.HasPassword() ? kPasswordMask : L"");
        m_list.SetItemText(nItem, 2, m_users.Description);
        ++nItem;
    }
}

BOOL CDialogUserAccounts::FindSelectedAccount()
{
    const int nItem = m_list.GetSelectionMark();
    return nItem >= 0 && m_users.FindByName(m_list.GetItemText(nItem, 0));
}

void CDialogUserAccounts::OnItemChanged(NMHDR*, LRESULT* pResult)
{
    const BOOL bSelected = m_list.GetSelectionMark() >= 0;
    EnableControl(IDC_EDIT_LISTED_ACCOUNT, bSelected);
    EnableControl(IDC_REMOVE_ACCOUNT, bSelected);
    *pResult = 0;
}

void CDialogUserAccounts::OnAdd()
{
    CDialogUserInfo account(this);
    account.m_pUsers = &m_users;
    account.m_bFromRecord = FALSE;
    account.m_bCheckOld = FALSE;
    account.m_nRole = USERROLE_USER;
    if (account.RunModal(IDD_USER_INFO) != IDOK)
        return;
    account.SaveUser(TRUE);
    FillList();
}

void CDialogUserAccounts::OnEdit()
{
    if (!FindSelectedAccount())
        return;
    CDialogUserInfo account(this);
    account.m_pUsers = &m_users;
    account.m_bFromRecord = TRUE;
    account.m_bCheckOld = FALSE;
    if (account.RunModal(IDD_USER_INFO) != IDOK)
        return;
    account.SaveUser(FALSE);
    FillList();
}

void CDialogUserAccounts::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    OnEdit();
}

void CDialogUserAccounts::OnRemove()
{
    if (!FindSelectedAccount())
        return;
    const std::wstring strName = m_users.UserName;
    // With access control on, only an administrator reaches the accounts: one must remain.
    if (ModuleSettings.bControl && m_users.Role == USERROLE_ADMINISTRATOR && CDialogUserInfo::AdministratorCount(m_users) == 1) {
        AfxMessageBox(FormatWin(ModuleString(IDS_LAST_ADMINISTRATOR).c_str(), strName.c_str()), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // Counting the administrators moved the table off the account. No question first: removing
    // is what the button says.
    if (FindSelectedAccount())
        ShowOleDbErrors(m_users.WriteWithRecords([this] { return m_users.Delete(); },
                                                 {{L"Account removed", CDialogUserInfo::AccountText(m_users), L""}}));
    FillList();
}

