// Editing a group's QC rules and writing them as one edit.
#include "CDialogQcRules.h"
#include "ShowOleDbErrors.h"

#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/QcRules.h"

#include "win/afx/AfxMessageBox.h"
#include "win/afx/DDX.h"

#include "kernel/WinFormat.h"

#include <cmath>
#include <cwchar>
#include <utility>

namespace {

// Column widths in terminal cells (8 pixels): check, limit, action, after a failed rerun, group.
constexpr int kColumnCells[] = {21, 9, 15, 15, 12};
constexpr int kCellPixels = 8;

// The choices of the action fields: the action from Rerun on, after a failed rerun from Calibrate on.
constexpr int kFirstAction = static_cast<int>(QcAction::Rerun);
constexpr int kFirstThenAction = static_cast<int>(QcAction::Calibrate);

bool ReadNumber(const std::wstring& strText, double& value)
{
    const wchar_t* pBegin = strText.c_str();
    wchar_t* pEnd = nullptr;
    value = std::wcstod(pBegin, &pEnd);
    if (pEnd == pBegin)
        return false;
    while (*pEnd == L' ')
        ++pEnd;
    return *pEnd == L'\0' && std::isfinite(value);
}

std::wstring NumberText(double value) { return FormatWin(L"%.15g", value); }

std::wstring CheckName(QcCheck check) { return ModuleString(IDS_QC_CHECK_FIRST + static_cast<int>(check) - 1); }

std::wstring ActionName(QcAction action) { return ModuleString(IDS_QC_ACTION_FIRST + static_cast<int>(action) - 1); }

bool Calibrates(QcAction action, QcAction thenAction)
{
    return action == QcAction::Calibrate || (action == QcAction::Rerun && thenAction == QcAction::Calibrate);
}

} // namespace

BEGIN_MESSAGE_MAP(CDialogQcRules, CDialogBase)
    ON_BN_CLICKED(IDC_QC_ADD, &CDialogQcRules::OnAdd)
    ON_BN_CLICKED(IDC_QC_REMOVE, &CDialogQcRules::OnRemove)
    ON_CBN_SELCHANGE(IDC_QC_CHECK, &CDialogQcRules::OnFieldChanged)
    ON_EN_CHANGE(IDC_QC_LIMIT, &CDialogQcRules::OnFieldChanged)
    ON_EN_CHANGE(IDC_QC_UPPER, &CDialogQcRules::OnFieldChanged)
    ON_CBN_SELCHANGE(IDC_QC_ACTION, &CDialogQcRules::OnFieldChanged)
    ON_CBN_SELCHANGE(IDC_QC_THEN, &CDialogQcRules::OnFieldChanged)
    ON_CBN_SELCHANGE(IDC_QC_CALIBRATION, &CDialogQcRules::OnFieldChanged)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_QC_LIST, &CDialogQcRules::OnItemChanged)
END_MESSAGE_MAP()

CDialogQcRules::CDialogQcRules(CWnd* pParent, GroupEntry group, const std::vector<QcRule>& rules,
                               const std::vector<GroupEntry>& groups)
    : CDialogBase(IDD_QC_RULES, pParent), m_group(std::move(group))
{
    m_dwHelpContext = IDH_QC_RULES;
    for (const QcRule& rule : rules)
        m_drafts.push_back(DraftOf(rule));
    // A group that calibrates itself would run on without end.
    for (const GroupEntry& other : groups)
        if (other.id != m_group.id)
            m_groups.push_back(other);
}

void CDialogQcRules::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QC_LIST, m_list);
    DDX_Control(pDX, IDC_QC_CALIBRATION, m_comboCalibration);
}

BOOL CDialogQcRules::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    SetDlgItemText(IDC_QC_GROUP, m_group.name);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    for (int nColumn = 0; nColumn < static_cast<int>(std::size(kColumnCells)); ++nColumn)
        m_list.InsertColumn(nColumn, ModuleString(IDS_QC_COLUMN_FIRST + nColumn).c_str(), LVCFMT_LEFT,
                            kColumnCells[nColumn] * kCellPixels);
    for (auto check : {QcCheck::Recovery, QcCheck::Blank, QcCheck::Rsd, QcCheck::R2})
        SendDlgItemMessageW(m_hWnd, IDC_QC_CHECK, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CheckName(check).c_str()));
    for (auto action : {QcAction::Rerun, QcAction::Calibrate, QcAction::Pause, QcAction::Stop}) {
        const std::wstring strName = ActionName(action);
        SendDlgItemMessageW(m_hWnd, IDC_QC_ACTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strName.c_str()));
        if (static_cast<int>(action) >= kFirstThenAction)
            SendDlgItemMessageW(m_hWnd, IDC_QC_THEN, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(strName.c_str()));
    }
    for (const GroupEntry& group : m_groups)
        m_comboCalibration.AddString(group.name.c_str());
    ShowRules(m_drafts.empty() ? -1 : 0);
    return TRUE;
}

CDialogQcRules::Draft CDialogQcRules::DraftOf(const QcRule& rule)
{
    // Blank and RSD keep their limit in high, r2 in low; the limit field shows it either way.
    const bool bLimitIsHigh = rule.check == QcCheck::Blank || rule.check == QcCheck::Rsd;
    return {rule.check,
            NumberText(bLimitIsHigh ? rule.high : rule.low),
            rule.check == QcCheck::Recovery ? NumberText(rule.high) : L"",
            rule.action,
            rule.action == QcAction::Rerun ? rule.thenAction : QcAction::Pause,
            rule.calibrationGroup};
}

std::wstring CDialogQcRules::RefusalOf(const Draft& draft, QcRule& rule, int& nField)
{
    double limit = 0;
    double upper = 0;
    nField = IDC_QC_LIMIT;
    if (!ReadNumber(draft.limit, limit))
        return FormatWin(ModuleString(IDS_QC_NOT_A_NUMBER).c_str(), draft.limit.c_str());
    nField = IDC_QC_UPPER;
    if (draft.check == QcCheck::Recovery && !ReadNumber(draft.upper, upper))
        return FormatWin(ModuleString(IDS_QC_NOT_A_NUMBER).c_str(), draft.upper.c_str());
    const bool bLimitIsHigh = draft.check == QcCheck::Blank || draft.check == QcCheck::Rsd;
    // What a closed field holds is kept in the draft and left out of the rule.
    const bool bCalibrates = Calibrates(draft.action, draft.thenAction);
    rule = {draft.check,
            bLimitIsHigh ? 0 : limit,
            bLimitIsHigh ? limit : upper,
            draft.action,
            draft.action == QcAction::Rerun ? draft.thenAction : QcAction::None,
            bCalibrates ? draft.calibrationGroup : L""};
    const UINT nFault = rule.Fault();
    nField = nFault == IDS_QC_NO_CALIBRATION_GROUP ? IDC_QC_CALIBRATION : IDC_QC_LIMIT;
    return nFault ? ModuleString(nFault) : L"";
}

void CDialogQcRules::ShowRules(int nSelected)
{
    m_bListing = TRUE;
    m_list.DeleteAllItems();
    for (int nRule = 0; nRule < static_cast<int>(m_drafts.size()); ++nRule) {
        m_list.InsertItem(nRule, L"");
        ShowLine(nRule);
    }
    if (nSelected >= 0)
        m_list.SetItemState(nSelected, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    m_bListing = FALSE;
    ShowFields(nSelected);
}

void CDialogQcRules::ShowLine(int nRule)
{
    const Draft& draft = m_drafts[nRule];
    const bool bReruns = draft.action == QcAction::Rerun;
    const std::wstring texts[] = {
        CheckName(draft.check),
        draft.check == QcCheck::Recovery ? draft.limit + L"-" + draft.upper : draft.limit,
        ActionName(draft.action),
        bReruns ? ActionName(draft.thenAction) : L"",
        Calibrates(draft.action, draft.thenAction) ? draft.calibrationGroup : L"",
    };
    for (int nColumn = 0; nColumn < static_cast<int>(std::size(texts)); ++nColumn)
        m_list.SetItemText(nRule, nColumn, texts[nColumn].c_str());
}

void CDialogQcRules::ShowFields(int nRule)
{
    // Filling the fields changes them: nothing follows until they show the rule.
    m_nShown = -1;
    const Draft draft = nRule >= 0 ? m_drafts[nRule] : Draft{};
    SendDlgItemMessageW(m_hWnd, IDC_QC_CHECK, CB_SETCURSEL, static_cast<WPARAM>(draft.check) - 1, 0);
    SetDlgItemText(IDC_QC_LIMIT, nRule >= 0 ? draft.limit : L"");
    SetDlgItemText(IDC_QC_UPPER, nRule >= 0 ? draft.upper : L"");
    SendDlgItemMessageW(m_hWnd, IDC_QC_ACTION, CB_SETCURSEL, static_cast<WPARAM>(draft.action) - kFirstAction, 0);
    SendDlgItemMessageW(m_hWnd, IDC_QC_THEN, CB_SETCURSEL, static_cast<WPARAM>(draft.thenAction) - kFirstThenAction, 0);
    m_comboCalibration.SetCurSel(m_comboCalibration.FindStringExact(-1, draft.calibrationGroup.c_str()));
    m_nShown = nRule;
    EnableFields();
}

void CDialogQcRules::EnableFields()
{
    const bool bShown = m_nShown >= 0;
    const Draft draft = bShown ? m_drafts[m_nShown] : Draft{};
    for (int nID : {IDC_QC_CHECK, IDC_QC_LIMIT, IDC_QC_ACTION, IDC_QC_REMOVE})
        EnableControl(nID, bShown);
    EnableControl(IDC_QC_UPPER, bShown && draft.check == QcCheck::Recovery);
    EnableControl(IDC_QC_THEN, bShown && draft.action == QcAction::Rerun);
    EnableControl(IDC_QC_CALIBRATION, bShown && Calibrates(draft.action, draft.thenAction));
}

void CDialogQcRules::OnFieldChanged()
{
    if (m_nShown < 0)
        return;
    Draft& draft = m_drafts[m_nShown];
    const auto chosen = [this](int nID) { return static_cast<int>(SendDlgItemMessageW(m_hWnd, nID, CB_GETCURSEL, 0, 0)); };
    draft.check = static_cast<QcCheck>(chosen(IDC_QC_CHECK) + 1);
    GetDlgItemText(IDC_QC_LIMIT, draft.limit);
    GetDlgItemText(IDC_QC_UPPER, draft.upper);
    draft.action = static_cast<QcAction>(chosen(IDC_QC_ACTION) + kFirstAction);
    draft.thenAction = static_cast<QcAction>(chosen(IDC_QC_THEN) + kFirstThenAction);
    const int nGroup = m_comboCalibration.GetCurSel();
    if (nGroup != CB_ERR)
        m_comboCalibration.GetLBText(nGroup, draft.calibrationGroup);
    ShowLine(m_nShown);
    EnableFields();
}

void CDialogQcRules::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pChange = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    const bool bSelected = (pChange->uNewState & LVIS_SELECTED) && !(pChange->uOldState & LVIS_SELECTED);
    if (!m_bListing && (pChange->uChanged & LVIF_STATE) && bSelected)
        ShowFields(pChange->iItem);
}

void CDialogQcRules::FocusField(int nID)
{
    ::SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(::GetDlgItem(m_hWnd, nID)), TRUE);
}

void CDialogQcRules::OnAdd()
{
    m_drafts.emplace_back();
    ShowRules(static_cast<int>(m_drafts.size()) - 1);
    FocusField(IDC_QC_CHECK);
}

void CDialogQcRules::OnRemove()
{
    if (m_nShown < 0)
        return;
    m_drafts.erase(m_drafts.begin() + m_nShown);
    ShowRules(std::min(m_nShown, static_cast<int>(m_drafts.size()) - 1));
}

void CDialogQcRules::OnOK()
{
    std::vector<QcRule> rules(m_drafts.size());
    for (int nRule = 0; nRule < static_cast<int>(m_drafts.size()); ++nRule) {
        int nField = 0;
        const std::wstring strRefusal = RefusalOf(m_drafts[nRule], rules[nRule], nField);
        if (strRefusal.empty())
            continue;
        ShowRules(nRule);
        AfxMessageBox(FormatWin(ModuleString(IDS_QC_RULE_REFUSED).c_str(), nRule + 1,
                                CheckName(m_drafts[nRule].check).c_str(), strRefusal.c_str()),
                      MB_OK | MB_ICONEXCLAMATION);
        FocusField(nField);
        return;
    }
    if (ShowOleDbErrors(QcRules::Write(ModuleSettings, m_group.id, m_group.name, rules)))
        return;
    CDialogBase::OnOK();
}
