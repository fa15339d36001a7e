// "Change User Name and/or Password": one account's name, passwords, role and contact details.
// The account list opens it to add and edit accounts, the logon dialog to let a user edit their
// own; its caller saves what it accepted with SaveUser.
#pragma once

#include "dialogs/CDialogBase.h"
#include "worklist/CUserTable.h"

#include <string>

class CDialogUserInfo : public CDialogBase {
public:
    explicit CDialogUserInfo(CWnd* pParent = nullptr);

    // Writes the fields into the table's record: as a new row with the last row's id plus one, or
    // over the current row. A failed write is shown to the user.
    BOOL SaveUser(BOOL bInsert);
    // An account's name, role and details as the audit trail tells them; never its password.
    static std::wstring AccountText(const UserRecord& account);
    // The accounts with the role Administrator; the table's current row moves.
    static int AdministratorCount(CUserTable& users);

    std::wstring m_strUserName;
    std::wstring m_strOldPassword;
    std::wstring m_strNewPassword;
    std::wstring m_strConfirmPassword;
    std::wstring m_strDescription;
    int m_nRole = -1;
    std::wstring m_strAddress;
    std::wstring m_strEMail;
    std::wstring m_strPhone;

    // The caller's table; positioned on the account to edit when there is one.
    CUserTable* m_pUsers = nullptr;
    // Fill the fields from the account and check the passwords on OK.
    BOOL m_bFromRecord = TRUE;
    // Ask for the old password and a confirmation of the new one.
    BOOL m_bCheckOld = FALSE;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    // Shows message nID, puts the focus on the edit nIDFocus and leaves the dialog open.
    void Refuse(UINT nID, int nIDFocus);
    // Counted as a failed logon of the account; the fifth in a row refuses it and ends the dialog.
    void RefuseOldPassword();
    // Whether an account other than the edited one has exactly the user name typed.
    BOOL NameTaken();
    // Whether the role chosen takes the last administrator's away while access control is on.
    BOOL DemotesLastAdministrator();
    // The edited account becomes the table's current row again.
    void FindEditedAccount();

    // The id and the stored role of the account edited; none (-1) for a new one.
    LONG m_nEditedId = -1;
    LONG m_nEditedRole = -1;
};
