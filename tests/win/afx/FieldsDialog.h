// The test dialog "Fields": every kind of data exchange, bound controls, and a message map that
// records what reaches it.
#pragma once

#include "AfxTestSupport.h"
#include "win/afx/CButton.h"
#include "win/afx/CComboBox.h"
#include "win/afx/CDialog.h"
#include "win/afx/CEdit.h"
#include "win/afx/CSpinButtonCtrl.h"

#include <string>
#include <vector>

// An edit that records the texts set on it, to show that a bound control gets its own messages.
class CRecordingEdit : public CEdit {
public:
    std::vector<std::wstring> m_textsSet;
    std::vector<std::string>* m_pEvents = nullptr;

protected:
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;

    DECLARE_MESSAGE_MAP()
};

class CFieldsDialog : public CDialog {
public:
    explicit CFieldsDialog(CWnd* pParentWnd = nullptr) : CDialog(IDD_FIELDS, pParentWnd) {}

    std::wstring m_strName;
    int m_nCount = 1;
    int m_nSize = -1;
    int m_nSizeIndex = -1;

    CComboBox m_comboFruit;
    CRecordingEdit m_editNote;
    CSpinButtonCtrl m_spin;

    // What reached the handlers, in order.
    std::vector<std::string> m_events;

    // A modal run through the steps a derived class may call itself, as a host's dialog call would.
    INT_PTR RunThroughPreModal();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void PostNcDestroy() override;

    void OnApply();
    void OnViewCommand(UINT nID);
    void OnNameChanged();
    void OnFruitChanged();
    void OnSpinDelta(NMHDR* pNMHDR, LRESULT* pResult);
    BOOL OnAnyNotify(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnPrivateMessage(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDestroy();
    void OnTimer(UINT_PTR nIDEvent);
    void OnSysCommand(UINT nID, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// The running dialog "Fields" and one of its controls.
HWND Fields();
HWND FieldsItem(int id);

// A private message of the tests, handled with ON_MESSAGE.
constexpr UINT WM_TEST_PRIVATE = 0x0500;
// A notification code that only OnAnyNotify takes, and only from control IDC_NOTE.
constexpr UINT NM_TEST_ANY = static_cast<UINT>(-900);
