// One run of a dialog's data exchange: its direction, the control last prepared (where a rejected
// field puts the focus) and whether a field has been rejected. After a rejection every further
// DDX_ and DDV_ call of the run does nothing, so the first bad field is the one reported.
#pragma once

#include "win/WinUser.h"

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    // The control's window, made the last control; null when the dialog has none with that id.
    HWND PrepareCtrl(int nIDC);
    // The same for an edit-like control, whose text a rejection selects.
    HWND PrepareEditCtrl(int nIDC);
    // Rejects the last control's field: its message has been shown; the focus goes to the control.
    void Fail();

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    int m_idLastControl = 0;
    BOOL m_bEditLastControl = FALSE;
    BOOL m_bFailed = FALSE;
};
