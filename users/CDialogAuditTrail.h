// "Audit Trail": the worklist's audit records newest first, narrowed by group, user and a range
// of local dates; the shown records exported as CSV to a file the user names, and Verify, which
// walks the whole chain and names the first record altered behind the module's back.
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

    DECLARE_MESSAGE_MAP()

private:
    // "(all)" and then each value once, in the order the records first name it.
    void FillFilter(CComboBox& box, const std::vector<std::wstring>& values);
    // The box's choice, or empty for "(all)".
    std::wstring Chosen(const CComboBox& box) const;
    // The records the filters let through, newest first, into the list.
    void ShowRecords();

    std::vector<AuditRecord> m_records;
    // The shown records, as indexes into m_records, newest first.
    std::vector<std::size_t> m_shown;
    CListCtrl m_list;
    CComboBox m_comboGroup;
    CComboBox m_comboUser;
};
