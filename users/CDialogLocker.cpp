// Locking and unlocking the host, and the message left at the bench.
#include "CDialogLocker.h"

#include "CDialogLogon.h"

#include "dialogs/ShowOleDbErrors.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/AuditTrail.h"
#include "worklist/RecordText.h"

#include "kernel/WinFormat.h"
#include "win/afx/CDC.h"
#include "win/afx/DDX.h"

namespace {

// Red in the platform's blue-green-red order.
constexpr COLORREF kMessageColor = 0x0000FF;

} // namespace

BEGIN_MESSAGE_MAP(CDialogLocker, CDialogBase)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

int CDialogLocker::s_nOpen = 0;

CDialogLocker::CDialogLocker(CWnd* pParent) : CDialogBase(IDD_LOCKER, pParent), m_users(ModuleSettings) { ++s_nOpen; }

CDialogLocker::~CDialogLocker() { --s_nOpen; }

void CDialogLocker::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_btnLock);
    DDX_Control(pDX, IDC_LOCK_MESSAGE, m_editMessage);
    DDX_Text(pDX, IDC_LOCK_PROMPT, m_strPrompt);
    DDX_Text(pDX, IDC_ADDRESS, m_strAddress);
    DDX_Text(pDX, IDC_PHONE, m_strPhone);
    DDX_Text(pDX, IDC_EMAIL, m_strEMail);
}

BOOL CDialogLocker::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_strPrompt = ModuleString(IDS_LOCK_PROMPT);
    m_fontMessage.CreateFont(-14, 0, 0, 0, 500, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Arial");
    m_editMessage.SetFont(&m_fontMessage);
    m_editMessage.Invalidate();

    // Without the table the lock works all the same; only the message is not kept.
    const HRESULT status = m_users.Open();
    ShowOleDbErrors(m_users.Hashed());
    if (FAILED(status))
        ShowOleDbErrors(status);
    else if (m_users.FindByName(ModuleSettings.strUserName)) {
        m_bAccountFound = TRUE;
        m_editMessage.SetWindowText(m_users.LockMessage);
        m_strAddress = m_users.Address;
        m_strPhone = m_users.Phone;
        m_strEMail = m_users.EMail;
    }
    UpdateData(FALSE);
    if (m_bLockAtOnce)
        Lock();
    return TRUE;
}

void CDialogLocker::OnOK()
{
    if (!m_bLocked) {
        Lock();
        return;
    }
    if (ModuleSettings.bControl) {
        // The logon covers the lock, so that the lock cannot be pressed again meanwhile.
        CDialogLogon logon(this);
        if (logon.RunModal(IDD_LOGON) != IDOK)
            return;
    }
    ShowOleDbErrors(AuditTrail::Record(ModuleSettings, L"", {L"Orvane unlocked", L"", L""}));
    EndDialog(IDOK);
}

void CDialogLocker::OnCancel()
{
    if (!m_bLocked)
        CDialogBase::OnCancel();
}

void CDialogLocker::Lock()
{
    UpdateData(TRUE);
    m_bLocked = TRUE;
    m_editMessage.SetReadOnly(TRUE);
    m_strPrompt = FormatWin(ModuleString(IDS_LOCKED_BY).c_str(), ModuleSettings.strUserName.c_str());
    StoreMessage();
    ShowOleDbErrors(AuditTrail::Record(ModuleSettings, L"",
                                       {m_bLockAtOnce ? L"Orvane locked when idle" : L"Orvane locked", L"", L""}));
    m_btnLock.SetWindowText(ModuleString(IDS_UNLOCK).c_str());
    EnableControl(IDCANCEL, FALSE);
    for (int nID : {IDC_PHONE, IDC_EMAIL, IDC_ADDRESS})
        SetEditReadOnly(nID, TRUE);
    UpdateData(FALSE);
}

void CDialogLocker::StoreMessage()
{
    if (!m_bAccountFound)
        return;
    std::wstring strMessage;
    m_editMessage.GetWindowText(strMessage);
    // Phone, e-mail and address changed here are for this lock only: the record keeps the stored ones.
    SetRecordText(m_users.LockMessage, strMessage);
    m_users.SetData();
}

HBRUSH CDialogLocker::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH hBrush = CDialogBase::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd && pWnd->GetDlgCtrlID() == IDC_LOCK_MESSAGE)
        pDC->SetTextColor(kMessageColor);
    return hBrush;
}
