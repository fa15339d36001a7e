// "Audit Trail": the worklist's audit records newest first, narrowed by group, user and a range
// of local dates; a record's whole text on Enter; the shown records exported as CSV to a file the
// user names, and Verify, which walks the whole chain and names the first record altered behind
// the module's back.
#pragma once

#include "dialogs/CDialogBase.h"
#include "worklist/AuditRecord.h"

#include "win/afx/CComboBox.h"
#include "win/afx/CListCtrl.h"

#include <string>
#include <vector>

class CDialogAuditTrail : public CDialogBase {
public:
    explicit CDialogAuditTrail(CWnd* pParent);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnFilterChanged();
    void OnExport();
    void OnVerify();
    // Enter or a double click on a record shows its whole text.
    void OnShowRecord(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // "(all)" and then each value once, in the order the records first name it.
    void FillFilter(CComboBox& box, const std::vector<std::wstring>& values);
    // The box's choice, or empty for "(all)".
    std::wstring Chosen(const CComboBox& box) const;
    // The records the filters let through, newest first, into the list.
    void ShowRecords();
    // The window takes the screen beyond its template: the list the rows and columns gained.
    void FitToScreen();
    // Each column as wide as its texts when the list has room; else the old and new values share
    // what the other columns leave, and when that is too little, the time shows without its year.
    void FitColumns();
    // The columns of a record as the list shows them, from its number to its new value.
    std::vector<std::wstring> ShownFields(const AuditRecord& record, BOOL bShortTime) const;

    std::vector<AuditRecord> m_records;
    // The shown records, as indexes into m_records, newest first.
    std::vector<std::size_t> m_shown;
    // The list shows the time without its year ("12-08 13:18:51"), for a narrow window.
    BOOL m_bShortTime = FALSE;
    CListCtrl m_list;
    CComboBox m_comboGroup;
    CComboBox m_comboUser;
};
