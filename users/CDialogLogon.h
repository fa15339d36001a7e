// "Logon": identifies the person at the instrument by name and password and makes that account the
// module's logged-on user. On an empty user table it first creates the administrator's account.
// Five failed logons in a row refuse an account for a while, even with the right password.
#pragma once

#include "dialogs/CDialogBase.h"
#include "worklist/CUserTable.h"

#include <string>

class CDialogLogon : public CDialogBase {
public:
    // Ends with IDOK when a user has logged on, IDCANCEL when cancelled or when the user table
    // cannot be opened.
    explicit CDialogLogon(CWnd* pParent = nullptr);

    std::wstring m_strPassword;
    std::wstring m_strUserName;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // "Edit This Account ...": the account named in the user-name edit.
    void OnEditAccount();

    DECLARE_MESSAGE_MAP()

private:
    // The account m_strUserName names, edited in the account dialog (old password required).
    void EditAccount();
    // The account in the record buffer becomes the module's logged-on user.
    void TakeLogon();

    CUserTable m_users;
};
