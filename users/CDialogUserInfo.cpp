// Filling, checking and saving one account.
#include "CDialogUserInfo.h"

#include "dialogs/ShowOleDbErrors.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/UserRecord.h"

#include "kernel/WinFormat.h"
#include "win/afx/AfxMessageBox.h"
#include "win/afx/DDX.h"

#include <algorithm>

namespace {

// The columns of the contact details; a longer text is refused rather than cut.
constexpr int kAddressChars = static_cast<int>(std::size(UserRecord{}.Address)) - 1;
constexpr int kPhoneChars = static_cast<int>(std::size(UserRecord{}.Phone)) - 1;
constexpr int kEMailChars = static_cast<int>(std::size(UserRecord{}.EMail)) - 1;
constexpr int kNameChars = static_cast<int>(std::size(UserRecord{}.UserName)) - 1;
constexpr int kDescriptionChars = 255;

// The edits of the contact details take any length; only OK refuses what the column cannot hold.
void RefuseLonger(CDataExchange* pDX, const std::wstring& value, int nChars)
{
    if (pDX->m_bSaveAndValidate)
        DDV_MaxChars(pDX, value, nChars);
}

// The checks on OK have let through only what the field holds.
template <std::size_t Size>
void CopyToField(WCHAR (&field)[Size], const std::wstring& text)
{
    const std::size_t length = std::min(text.size(), Size - 1);
    std::copy_n(text.data(), length, field);
    std::fill(field + length, field + Size, WCHAR{0});
}

} // namespace

std::wstring CDialogUserInfo::AccountText(const UserRecord& account)
{
    static constexpr const wchar_t* roles[] = {L"administrator", L"power user", L"user"};
    const wchar_t* role = account.Role >= 0 && account.Role < 3 ? roles[account.Role] : L"?";
    return FormatWin(L"\"%s\", %s; description \"%s\"; address \"%s\"; phone \"%s\"; e-mail \"%s\"", account.UserName,
                     role, account.Description, account.Address, account.Phone, account.EMail);
}

CDialogUserInfo::CDialogUserInfo(CWnd* pParent) : CDialogBase(IDD_USER_INFO, pParent) {}

void CDialogUserInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_USER_NAME, m_strUserName);
    DDV_MaxChars(pDX, m_strUserName, kNameChars);
    DDX_Text(pDX, IDC_OLD_PASSWORD, m_strOldPassword);
    DDV_MaxChars(pDX, m_strOldPassword, kNameChars);
    DDX_Text(pDX, IDC_NEW_PASSWORD, m_strNewPassword);
    DDV_MaxChars(pDX, m_strNewPassword, kNameChars);
    DDX_Text(pDX, IDC_CONFIRM_PASSWORD, m_strConfirmPassword);
    DDV_MaxChars(pDX, m_strConfirmPassword, kNameChars);
    DDX_Text(pDX, IDC_DESCRIPTION, m_strDescription);
    DDV_MaxChars(pDX, m_strDescription, kDescriptionChars);
    DDX_Radio(pDX, IDC_ROLE_ADMINISTRATOR, m_nRole);
    DDX_Text(pDX, IDC_ADDRESS, m_strAddress);
    RefuseLonger(pDX, m_strAddress, kAddressChars);
    DDX_Text(pDX, IDC_EMAIL, m_strEMail);
    RefuseLonger(pDX, m_strEMail, kEMailChars);
    DDX_Text(pDX, IDC_PHONE, m_strPhone);
    RefuseLonger(pDX, m_strPhone, kPhoneChars);
}

BOOL CDialogUserInfo::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    if (m_bFromRecord && m_pUsers) {
        m_nEditedId = m_pUsers->UserID;
        m_nEditedRole = m_pUsers->Role;
        m_strUserName = m_pUsers->UserName;
        m_nRole = m_pUsers->Role;
        m_strDescription = m_pUsers->Description;
        m_strAddress = m_pUsers->Address;
        m_strEMail = m_pUsers->EMail;
        m_strPhone = m_pUsers->Phone;
        // Only an administrator's account may change its role here, also to a lower one.
        if (m_pUsers->Role != USERROLE_ADMINISTRATOR)
            for (int nID : {IDC_ROLE_ADMINISTRATOR, IDC_ROLE_POWER_USER, IDC_ROLE_USER})
                EnableControl(nID, FALSE);
    }
    if (!m_bCheckOld)
        for (int nID : {IDC_OLD_PASSWORD_LABEL, IDC_CONFIRM_PASSWORD_LABEL, IDC_OLD_PASSWORD, IDC_CONFIRM_PASSWORD})
            ShowControl(nID, FALSE);
    FocusEdit(IDC_USER_NAME);
    UpdateData(FALSE);
    return TRUE;
}

void CDialogUserInfo::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (m_strUserName.size() < 3)
        return Refuse(IDS_USER_NAME_TOO_SHORT, IDC_USER_NAME);
    // The logon takes the first account of a name: a second one could never log on.
    if (m_pUsers && NameTaken()) {
        AfxMessageBox(FormatWin(ModuleString(IDS_ACCOUNT_NAME_TAKEN).c_str(), m_strUserName.c_str()), MB_OK);
        FocusEdit(IDC_USER_NAME);
        return;
    }
    if (m_pUsers && DemotesLastAdministrator()) {
        AfxMessageBox(FormatWin(ModuleString(IDS_LAST_ADMINISTRATOR_ROLE).c_str(), m_pUsers->UserName), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (m_bFromRecord && m_pUsers) {
        if (m_bCheckOld) {
            if (!m_pUsers->PasswordMatches(m_strOldPassword))
                return RefuseOldPassword();
            if (m_strNewPassword != m_strConfirmPassword)
                return Refuse(IDS_NEW_PASSWORD_DIFFERS, IDC_NEW_PASSWORD);
        }
        if (m_strNewPassword.empty() && AfxMessageBox(IDS_NO_PASSWORD, MB_YESNO) != IDYES) {
            FocusEdit(IDC_NEW_PASSWORD);
            return;
        }
    }
    EndDialog(IDOK);
}

void CDialogUserInfo::RefuseOldPassword()
{
    // A wrong old password counts as a failed logon, or this dialog would try passwords unlimited.
    BOOL bRefused = FALSE;
    ShowOleDbErrors(m_pUsers->StoreFailedLogon(_time64(nullptr), L"Old password wrong", bRefused));
    if (!bRefused)
        return Refuse(IDS_OLD_PASSWORD_WRONG, IDC_OLD_PASSWORD);
    AfxMessageBox(m_pUsers->RefusalText(), MB_OK);
    EndDialog(IDCANCEL);
}

BOOL CDialogUserInfo::NameTaken()
{
    CUserTable& users = *m_pUsers;
    BOOL bTaken = FALSE;
    for (users.MoveFirst(); users.HasCurrentRow() && !bTaken; users.MoveNext())
        bTaken = m_strUserName == users.UserName && users.UserID != m_nEditedId;
    FindEditedAccount();
    return bTaken;
}

BOOL CDialogUserInfo::DemotesLastAdministrator()
{
    // With access control on, only an administrator reaches the accounts: one must remain.
    if (!ModuleSettings.bControl || m_nEditedRole != USERROLE_ADMINISTRATOR || m_nRole == USERROLE_ADMINISTRATOR)
        return FALSE;
    const BOOL bLast = AdministratorCount(*m_pUsers) == 1;
    FindEditedAccount();
    return bLast;
}

void CDialogUserInfo::FindEditedAccount()
{
    // SaveUser writes over the current row.
    for (m_pUsers->MoveFirst(); m_pUsers->HasCurrentRow() && m_pUsers->UserID != m_nEditedId;)
        m_pUsers->MoveNext();
}

int CDialogUserInfo::AdministratorCount(CUserTable& users)
{
    int nCount = 0;
    for (users.MoveFirst(); users.HasCurrentRow(); users.MoveNext())
        nCount += users.Role == USERROLE_ADMINISTRATOR ? 1 : 0;
    return nCount;
}

void CDialogUserInfo::Refuse(UINT nID, int nIDFocus)
{
    AfxMessageBox(nID, MB_OK);
    FocusEdit(nIDFocus);
}

BOOL CDialogUserInfo::SaveUser(BOOL bInsert)
{
    CUserTable& users = *m_pUsers;
    const UserRecord before = users;
    if (bInsert) {
        // An empty table leaves the buffer as it was: the id follows whatever it held.
        users.MoveLast();
        const LONG nNewId = users.UserID + 1;
        users.ClearRecord();
        users.UserID = nNewId;
    }
    if (!users.SetPassword(m_strNewPassword)) {
        AfxMessageBox(IDS_PASSWORD_NOT_HASHED, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    CopyToField(users.UserName, m_strUserName);
    CopyToField(users.Description, m_strDescription);
    CopyToField(users.Address, m_strAddress);
    CopyToField(users.Phone, m_strPhone);
    CopyToField(users.EMail, m_strEMail);
    users.Role = m_nRole;
    std::vector<AuditEntry> entries;
    if (bInsert)
        entries.push_back({L"Account added", L"", AccountText(users)});
    else if (AccountText(before) != AccountText(users))
        entries.push_back({FormatWin(L"Account \"%s\" edited", before.UserName), AccountText(before), AccountText(users)});
    entries.push_back({FormatWin(m_strNewPassword.empty() ? L"Password of \"%s\" removed" : L"Password of \"%s\" set",
                                 users.UserName), L"", L""});
    ShowOleDbErrors(users.WriteWithRecords([&users, bInsert] { return bInsert ? users.Insert() : users.SetData(); }, entries));
    return TRUE;
}
