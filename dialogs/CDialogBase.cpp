// Modal runs through the language library, control helpers and help for the module's dialogs.
#include "CDialogBase.h"

#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "orvane/Nls.h"
#include "resources/ResourceIds.h"

#include "win/HtmlHelp.h"
#include "win/afx/AfxMessageBox.h"
#include "win/afx/CDataExchange.h"

#include "kernel/Library.h"
#include "kernel/Resources.h"
#include "kernel/Text.h"

namespace {

// The HTML Help entry, looked up on the first request; a failure is remembered.
HTMLHELPPROCW HtmlHelpEntry()
{
    static bool bLookedUp = false;
    static HTMLHELPPROCW pfnHtmlHelp = nullptr;
    if (!bLookedUp) {
        bLookedUp = true;
        if (HMODULE hLibrary = ::LoadLibraryW(L"hhctrl.ocx"))
            pfnHtmlHelp = reinterpret_cast<HTMLHELPPROCW>(::GetProcAddress(hLibrary, MAKEINTRESOURCEA(HH_HTMLHELPW_ORDINAL)));
    }
    return pfnHtmlHelp;
}

} // namespace

BEGIN_MESSAGE_MAP(CDialogBase, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CDialogBase::CDialogBase(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

int CDialogBase::RunModal(WORD nIDTemplate)
{
    if (!m_lpszTemplateName)
        return -1;
    HWND hWndOwner = PreModal();
    const INT_PTR nResult = ::NlsDialogBox(AfxGetInstanceHandle(), nIDTemplate, hWndOwner, &AfxDlgProc);
    PostModal();
    return static_cast<int>(nResult);
}

BOOL CDialogBase::ShowControl(int nID, BOOL bShow)
{
    CWnd* pControl = GetDlgItem(nID);
    if (!pControl)
        return FALSE;
    pControl->EnableWindow(bShow);
    pControl->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    return TRUE;
}

BOOL CDialogBase::EnableControl(int nID, BOOL bEnable)
{
    CWnd* pControl = GetDlgItem(nID);
    if (!pControl)
        return FALSE;
    pControl->EnableWindow(bEnable);
    return TRUE;
}

CWnd* CDialogBase::GetEdit(int nID) const
{
    CWnd* pControl = GetDlgItem(nID);
    if (!pControl)
        return nullptr;
    wchar_t szClassName[64]{};
    ::GetClassNameW(pControl->GetSafeHwnd(), szClassName, 64);
    return EqualsNoCase(szClassName, L"EDIT") ? pControl : nullptr;
}

BOOL CDialogBase::FocusEdit(int nID)
{
    CWnd* pEdit = GetEdit(nID);
    if (!pEdit)
        return FALSE;
    pEdit->SendMessage(EM_SETSEL, static_cast<WPARAM>(-1), -1);
    pEdit->SetFocus();
    return TRUE;
}

void CDialogBase::FillFailurePolicies(int nID)
{
    for (int nString : {IDS_ONFAILURE_GO_ON, IDS_ONFAILURE_PAUSE, IDS_ONFAILURE_STOP})
        SendDlgItemMessageW(m_hWnd, nID, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ModuleString(nString).c_str()));
}

std::wstring CDialogBase::TypedFileName(int nField, int nResult, UINT nPrompt)
{
    std::wstring strFile;
    GetDlgItemText(nField, strFile);
    if (strFile.find_first_not_of(L' ') != std::wstring::npos)
        return strFile;
    SetDlgItemText(nResult, ModuleString(nPrompt));
    return {};
}

BOOL CDialogBase::SetEditReadOnly(int nID, BOOL bReadOnly)
{
    CWnd* pEdit = GetEdit(nID);
    if (!pEdit)
        return FALSE;
    pEdit->SendMessage(EM_SETREADONLY, static_cast<WPARAM>(bReadOnly));
    return TRUE;
}

void CDialogBase::ShowHelp(DWORD dwContextId)
{
    if (HTMLHELPPROCW pfnHtmlHelp = HtmlHelpEntry())
        pfnHtmlHelp(m_hWnd, ModuleSettings.strHelpPath.c_str(), HH_HELP_CONTEXT, dwContextId);
}

BOOL CDialogBase::OnHelpInfo(HELPINFO*)
{
    if (m_dwHelpContext)
        ShowHelp(m_dwHelpContext);
    else
        SendMessage(WM_COMMAND, IDHELP);
    return TRUE;
}

void CDialogBase::DDV_Refusal(CDataExchange* pDX, const std::wstring& strRefusal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate || strRefusal.empty())
        return;
    AfxMessageBox(strRefusal, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}
