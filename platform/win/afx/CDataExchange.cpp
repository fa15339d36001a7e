// The state of one data exchange run and the focus on a rejected field.
#include "CDataExchange.h"

#include "CWnd.h"

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    m_idLastControl = hWndCtrl ? nIDC : 0;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = hWndCtrl != nullptr;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    m_bFailed = TRUE;
    if (!m_bSaveAndValidate || m_idLastControl == 0)
        return;
    HWND hWndLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, m_idLastControl);
    ::SetFocus(hWndLastControl);
    if (m_bEditLastControl)
        ::SendMessageW(hWndLastControl, EM_SETSEL, 0, -1);
}
