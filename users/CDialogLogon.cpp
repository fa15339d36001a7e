// The logon: the first account of an empty table, the password check and the logged-on user.
#include "CDialogLogon.h"

#include "CDialogUserInfo.h"

#include "dialogs/ShowOleDbErrors.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "resources/ResourceIds.h"
#include "worklist/AuditTrail.h"
#include "worklist/RecordText.h"
#include "worklist/UserRecord.h"

#include "win/afx/AfxMessageBox.h"
#include "win/afx/DDX.h"

namespace {

constexpr int kNameChars = static_cast<int>(std::size(UserRecord{}.UserName)) - 1;
// The host's name for the first account of a new table.
constexpr UINT NLS_DEFAULT_ACCOUNT = 17015;
constexpr int kDefaultAccountCapacity = 15;

} // namespace

BEGIN_MESSAGE_MAP(CDialogLogon, CDialogBase)
    ON_BN_CLICKED(IDC_EDIT_ACCOUNT, &CDialogLogon::OnEditAccount)
END_MESSAGE_MAP()

CDialogLogon::CDialogLogon(CWnd* pParent) : CDialogBase(IDD_LOGON, pParent), m_users(ModuleSettings) {}

void CDialogLogon::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PASSWORD, m_strPassword);
    DDV_MaxChars(pDX, m_strPassword, kNameChars);
    DDX_Text(pDX, IDC_USER_NAME, m_strUserName);
    DDV_MaxChars(pDX, m_strUserName, kNameChars);
}

BOOL CDialogLogon::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    const HRESULT status = m_users.Open();
    ShowOleDbErrors(m_users.Hashed());
    if (FAILED(status)) {
        ShowOleDbErrors(status);
        EndDialog(IDCANCEL);
        return TRUE;
    }
    m_users.MoveFirst();
    if (!m_users.HasCurrentRow()) {
        // A new table: an administrator without a password, whom the user names at once.
        m_users.ClearRecord();
        WCHAR szDefaultName[kDefaultAccountCapacity] = {};
        NlsLoadString(ModuleResourceHandle(), NLS_DEFAULT_ACCOUNT, szDefaultName, kDefaultAccountCapacity);
        SetRecordText(m_users.UserName, szDefaultName);
        m_users.Insert();
        m_strUserName = szDefaultName;
        EditAccount();
    }
    // Until the first logon succeeds, the first account counts as logged on, whatever happens next.
    if (ModuleSettings.nUserId < 0)
        TakeLogon();
    m_strUserName = ModuleSettings.strUserName;
    m_strPassword.clear();
    UpdateData(FALSE);
    return TRUE;
}

void CDialogLogon::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const __time64_t now = _time64(nullptr);
    if (!m_users.FindByName(m_strUserName)) {
        ShowOleDbErrors(AuditTrail::Record(ModuleSettings, L"", {L"Logon failed", L"", m_strUserName}));
        AfxMessageBox(IDS_WRONG_LOGON, MB_OK);
    } else if (m_users.IsRefused(now)) {
        ShowOleDbErrors(AuditTrail::Record(ModuleSettings, L"", {L"Logon refused", L"", m_strUserName}));
        AfxMessageBox(m_users.RefusalText(), MB_OK);
    } else if (!m_users.PasswordMatches(m_strPassword)) {
        BOOL bRefused = FALSE;
        ShowOleDbErrors(m_users.StoreFailedLogon(now, L"Logon failed", bRefused));
        if (bRefused)
            AfxMessageBox(m_users.RefusalText(), MB_OK);
        else
            AfxMessageBox(IDS_WRONG_LOGON, MB_OK);
    } else {
        TakeLogon();
        // A password kept as an earlier version kept it (as typed, or an empty one as a hash) is
        // stored as it is kept now, now that it is known to be right.
        if (m_users.PasswordKeptOtherwise(m_strPassword))
            m_users.SetPassword(m_strPassword);
        m_users.ResetFailedLogons();
        ShowOleDbErrors(
            m_users.WriteWithRecords([this] { return m_users.SetData(); }, {{L"Logon succeeded", L"", m_strUserName}}));
        EndDialog(IDOK);
        return;
    }
    m_strPassword.clear();
    SetDlgItemText(IDC_PASSWORD, L"");
}

void CDialogLogon::OnEditAccount()
{
    // The name as the user sees it now, not as the dialog last exchanged it.
    GetDlgItemText(IDC_USER_NAME, m_strUserName);
    EditAccount();
}

void CDialogLogon::EditAccount()
{
    if (!m_users.FindByName(m_strUserName)) {
        AfxMessageBox(IDS_WRONG_LOGON, MB_OK);
        return;
    }
    // Its old password would be one more way to try passwords.
    if (m_users.IsRefused(_time64(nullptr))) {
        AfxMessageBox(m_users.RefusalText(), MB_OK);
        return;
    }
    CDialogUserInfo account(this);
    account.m_pUsers = &m_users;
    account.m_bFromRecord = TRUE;
    account.m_bCheckOld = TRUE;
    if (account.RunModal(IDD_USER_INFO) != IDOK)
        return;
    account.SaveUser(FALSE);
    m_strUserName = m_users.UserName;
    m_strPassword.clear();
    UpdateData(FALSE);
}

void CDialogLogon::TakeLogon()
{
    ModuleSettings.nUserId = m_users.UserID;
    ModuleSettings.nUserRole = m_users.Role;
    ModuleSettings.strUserName = m_users.UserName;
}
