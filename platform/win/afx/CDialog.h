// A dialog from a template: modal through DoModal, modeless through Create. Its OK runs the data
// exchange and ends the dialog only when every field was accepted.
#pragma once

#include "CWnd.h"

class CDialog : public CWnd {
public:
    // nIDTemplate 0: no template, so DoModal shows nothing and returns -1.
    explicit CDialog(UINT nIDTemplate = 0, CWnd* pParentWnd = nullptr);

    // The end code: IDOK, IDCANCEL or EndDialog's value; -1 when there is no template or the
    // dialog could not be created.
    virtual INT_PTR DoModal();
    // A modeless dialog; FALSE when the window could not be created.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    using CWnd::Create;
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LPCWSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    // Before a modal run: determines the owner (the parent, or the main window), disables the
    // top-level window at the end of the owner's chain when it is enabled and not the owner, and
    // arranges that the dialog's window is attached to this object. Returns the owner.
    HWND PreModal();
    // After a modal run: undoes both.
    void PostModal();

    DECLARE_MESSAGE_MAP()

private:
    HWND m_hWndTop = nullptr;
};

// The framework's dialog procedure: WM_INITDIALOG calls OnInitDialog of the dialog object attached
// to the window (TRUE when there is none); everything else is left to the window procedure.
INT_PTR AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
