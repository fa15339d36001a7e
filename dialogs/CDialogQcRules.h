// "QC Rules": the QC rules of one group in their order, with the fields of the selected rule under
// the list. OK writes them all as one edit; a rule that cannot be kept is named with its fault and
// the window keeps everything typed. Cancel writes nothing.
#pragma once

#include "CDialogBase.h"

#include "worklist/GroupRows.h"
#include "worklist/QcRule.h"

#include "win/afx/CComboBox.h"
#include "win/afx/CListCtrl.h"

#include <string>
#include <vector>

class CDialogQcRules : public CDialogBase {
public:
    // rules: the group's rules as stored; groups: the worklist's groups, which calibrate the others.
    CDialogQcRules(CWnd* pParent, GroupEntry group, const std::vector<QcRule>& rules, const std::vector<GroupEntry>& groups);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // A new rule at the end, selected, its check field focused.
    void OnAdd();
    void OnRemove();
    // A field of the shown rule changed: the rule and its line in the list follow it.
    void OnFieldChanged();
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    // A rule as its fields hold it: the limits as typed, so that a text that is no number is kept.
    struct Draft {
        QcCheck check = QcCheck::Recovery;
        std::wstring limit = L"90";
        std::wstring upper = L"110";
        QcAction action = QcAction::Rerun;
        QcAction thenAction = QcAction::Pause;
        std::wstring calibrationGroup;
    };
    static Draft DraftOf(const QcRule& rule);
    // Why the draft makes no rule that can be kept, with the field to mend in nField; empty when it
    // makes one, in rule.
    static std::wstring RefusalOf(const Draft& draft, QcRule& rule, int& nField);
    // Lists the rules anew, rule nSelected selected and its fields shown (-1: none).
    void ShowRules(int nSelected);
    void ShowFields(int nRule);
    void ShowLine(int nRule);
    // Only the fields that the shown rule's check and actions use are open.
    void EnableFields();
    void FocusField(int nID);

    const GroupEntry m_group;
    std::vector<Draft> m_drafts;
    std::vector<GroupEntry> m_groups;
    CListCtrl m_list;
    CComboBox m_comboCalibration;
    // The rule whose fields are shown; -1 while none is, and while the fields are being filled.
    int m_nShown = -1;
    BOOL m_bListing = FALSE;
};
