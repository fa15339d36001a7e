// "Serion: Lock Orvane": the lock itself. While it is shown the main viewer is hidden and the
// host's main window disabled; it shows who locked and the message left for whoever comes to the
// bench, and only its unlock button (with a logon while access control is on) ends it. The
// message is kept in the locking user's account and offered again at their next lock.
#pragma once

#include "dialogs/CDialogBase.h"
#include "worklist/CUserTable.h"

#include "win/afx/CButton.h"
#include "win/afx/CEdit.h"
#include "win/afx/CFont.h"

#include <string>

class CDialogLocker : public CDialogBase {
public:
    explicit CDialogLocker(CWnd* pParent = nullptr);
    ~CDialogLocker() override;

    // Whether a lock dialog exists now, locked or not yet.
    static BOOL IsOpen() { return s_nOpen > 0; }

    // Locks as soon as it opens, with the message last left, as the idle host does.
    BOOL m_bLockAtOnce = FALSE;

    std::wstring m_strPrompt;
    std::wstring m_strAddress;
    std::wstring m_strPhone;
    std::wstring m_strEMail;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // The first press locks, a later one unlocks.
    void OnOK() override;
    // Before locking only: a lock is lifted by its unlock button alone, never by Escape.
    void OnCancel() override;
    // The message is shown in red.
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);

    DECLARE_MESSAGE_MAP()

private:
    void Lock();
    // Stores the message in the account found when the dialog opened, when there is one.
    void StoreMessage();

    CButton m_btnLock;
    CEdit m_editMessage;
    CUserTable m_users;
    BOOL m_bLocked = FALSE;
    BOOL m_bAccountFound = FALSE;
    CFont m_fontMessage;
    static int s_nOpen;
};
