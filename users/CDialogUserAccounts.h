// "User Account": the list of all accounts with their role pictures and masked passwords, where an
// administrator adds, edits and removes accounts. Every change is stored as soon as it is made.
#pragma once

#include "dialogs/CDialogBase.h"
#include "worklist/CUserTable.h"

#include "win/afx/CImageList.h"
#include "win/afx/CListCtrl.h"

class CDialogUserAccounts : public CDialogBase {
public:
    explicit CDialogUserAccounts(CWnd* pParent = nullptr);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnAdd();
    void OnEdit();
    void OnRemove();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // One item an account, in table order.
    void FillList();
    // The account of the item last selected, made the table's current row; FALSE when there is none.
    BOOL FindSelectedAccount();

    CListCtrl m_list;
    CUserTable m_users;
    CImageList m_images;
};
