// Modal and modeless dialogs, their owner handling and the framework's dialog procedure.
#include "CDialog.h"

#include "AFX_MODULE_STATE.h"
#include "kernel/Resources.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

namespace {

bool isChild(HWND hWnd) { return (static_cast<DWORD>(::GetWindowLongW(hWnd, GWL_STYLE)) & WS_CHILD) != 0; }

// A pop-up is owned by a top-level window: the first window up the parent chain that is no child.
HWND topLevelOwner(HWND hWnd)
{
    while (hWnd && isChild(hWnd))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

// The end of the chain of parents and owners.
HWND chainTop(HWND hWnd)
{
    HWND hWndTop = hWnd;
    for (HWND next = hWnd; next; next = isChild(next) ? ::GetParent(next) : ::GetWindow(next, GW_OWNER))
        hWndTop = next;
    return hWndTop;
}

} // namespace

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(static_cast<WORD>(nIDTemplate))), m_nIDHelp(nIDTemplate),
      m_pParentWnd(pParentWnd)
{
}

INT_PTR CDialog::DoModal()
{
    if (!m_lpszTemplateName)
        return -1;
    HWND hWndOwner = PreModal();
    INT_PTR result = ::DialogBoxParamW(AfxGetResourceHandle(), m_lpszTemplateName, hWndOwner, &AfxDlgProc, 0);
    PostModal();
    return result;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd || nIDTemplate == 0)
        return FALSE;
    m_lpszTemplateName = MAKEINTRESOURCEW(static_cast<WORD>(nIDTemplate));
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogParamW(AfxGetResourceHandle(), m_lpszTemplateName,
                                     pParentWnd ? pParentWnd->m_hWnd : nullptr, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hWnd && hWnd == m_hWnd;
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

HWND CDialog::PreModal()
{
    HWND hWndParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hWndParent && AfxGetMainWnd())
        hWndParent = AfxGetMainWnd()->m_hWnd;
    HWND hWndOwner = topLevelOwner(hWndParent);
    HWND hWndTop = chainTop(hWndOwner);
    m_hWndTop = nullptr;
    if (hWndTop && hWndTop != hWndOwner && ::IsWindowEnabled(hWndTop)) {
        m_hWndTop = hWndTop;
        ::EnableWindow(hWndTop, FALSE);
    }
    AfxHookWindowCreate(this);
    return hWndOwner;
}

void CDialog::PostModal()
{
    AfxUnhookWindowCreate();
    // The dialog's window is gone by now; an object still attached would keep a dead handle.
    if (m_hWnd && !::IsWindow(m_hWnd))
        Detach();
    if (m_hWndTop && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = nullptr;
}

INT_PTR AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    return pDialog ? pDialog->OnInitDialog() : TRUE;
}
