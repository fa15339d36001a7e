// The test dialog's data exchange and recording handlers.
#include "FieldsDialog.h"

#include "kernel/Text.h"
#include "win/afx/DDX.h"

#include <string>

BEGIN_MESSAGE_MAP(CRecordingEdit, CEdit)
    ON_MESSAGE(WM_SETTEXT, &CRecordingEdit::OnSetText)
END_MESSAGE_MAP()

LRESULT CRecordingEdit::OnSetText(WPARAM, LPARAM lParam)
{
    m_textsSet.emplace_back(reinterpret_cast<LPCWSTR>(lParam));
    return Default();
}

void CRecordingEdit::PostNcDestroy()
{
    if (m_pEvents)
        m_pEvents->push_back("note gone");
}

BEGIN_MESSAGE_MAP(CFieldsDialog, CDialog)
    ON_BN_CLICKED(IDC_APPLY, &CFieldsDialog::OnApply)
    ON_COMMAND_RANGE(ID_VIEW_FIRST, ID_VIEW_LAST, &CFieldsDialog::OnViewCommand)
    ON_EN_CHANGE(IDC_NAME, &CFieldsDialog::OnNameChanged)
    ON_CBN_SELCHANGE(IDC_FRUIT, &CFieldsDialog::OnFruitChanged)
    ON_NOTIFY(UDN_DELTAPOS, IDC_SPIN, &CFieldsDialog::OnSpinDelta)
    ON_NOTIFY_EX_RANGE(NM_TEST_ANY, 0, 0xFFFF, &CFieldsDialog::OnAnyNotify)
    ON_MESSAGE(WM_TEST_PRIVATE, &CFieldsDialog::OnPrivateMessage)
    ON_WM_CTLCOLOR()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

HWND Fields() { return WindowTitled(L"Fields"); }

HWND FieldsItem(int id) { return ::GetDlgItem(Fields(), id); }

INT_PTR CFieldsDialog::RunThroughPreModal()
{
    HWND hWndOwner = PreModal();
    INT_PTR result = ::DialogBoxParamW(AfxGetInstanceHandle(), m_lpszTemplateName, hWndOwner, &AfxDlgProc, 0);
    PostModal();
    return result;
}

void CFieldsDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FRUIT, m_comboFruit);
    DDX_Control(pDX, IDC_NOTE, m_editNote);
    DDX_Control(pDX, IDC_SPIN, m_spin);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 5);
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, 1, 99);
    DDX_Radio(pDX, IDC_SMALL, m_nSize);
    DDX_CBIndex(pDX, IDC_SIZE, m_nSizeIndex);
}

BOOL CFieldsDialog::OnInitDialog()
{
    // The entries must be there before the data exchange selects one.
    for (LPCWSTR fruit : {L"Cherry", L"Apple", L"Banana"})
        SendDlgItemMessage(IDC_FRUIT, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(fruit));
    for (LPCWSTR size : {L"S", L"M", L"L"})
        SendDlgItemMessage(IDC_SIZE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(size));
    m_editNote.m_pEvents = &m_events;
    m_events.push_back("init");
    return CDialog::OnInitDialog();
}

void CFieldsDialog::OnOK()
{
    m_events.push_back("ok");
    CDialog::OnOK();
}

void CFieldsDialog::PostNcDestroy() { m_events.push_back("dialog gone"); }

void CFieldsDialog::OnApply() { m_events.push_back("apply"); }

void CFieldsDialog::OnViewCommand(UINT nID) { m_events.push_back("view " + std::to_string(nID)); }

void CFieldsDialog::OnNameChanged() { m_events.push_back("name changed"); }

void CFieldsDialog::OnFruitChanged()
{
    std::wstring fruit;
    m_comboFruit.GetLBText(m_comboFruit.GetCurSel(), fruit);
    m_events.push_back("fruit " + WideToUtf8(fruit));
}

void CFieldsDialog::OnSpinDelta(NMHDR* pNMHDR, LRESULT* pResult)
{
    m_events.push_back("spin " + std::to_string(reinterpret_cast<NMUPDOWN*>(pNMHDR)->iDelta));
    *pResult = 0;
}

BOOL CFieldsDialog::OnAnyNotify(UINT nID, NMHDR*, LRESULT* pResult)
{
    if (nID != IDC_NOTE)
        return FALSE;
    m_events.push_back("any " + std::to_string(nID));
    *pResult = 77;
    return TRUE;
}

LRESULT CFieldsDialog::OnPrivateMessage(WPARAM wParam, LPARAM lParam)
{
    m_events.push_back("private " + std::to_string(wParam));
    return static_cast<LRESULT>(wParam) + lParam;
}

HBRUSH CFieldsDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    if (pWnd && pWnd->GetDlgCtrlID() == IDC_NAME && nCtlColor == CTLCOLOR_EDIT) {
        static const HBRUSH white = ::CreateSolidBrush(RGB(255, 255, 255));
        pDC->SetTextColor(RGB(255, 0, 0));
        return white;
    }
    return brush;
}

void CFieldsDialog::OnDestroy()
{
    m_events.push_back("destroy");
    CDialog::OnDestroy();
}

void CFieldsDialog::OnTimer(UINT_PTR nIDEvent)
{
    m_events.push_back("timer " + std::to_string(nIDEvent));
    ::KillTimer(m_hWnd, nIDEvent);
}

void CFieldsDialog::OnSysCommand(UINT nID, LPARAM lParam)
{
    m_events.push_back("syscommand " + std::to_string(nID));
    CDialog::OnSysCommand(nID, lParam);
}
