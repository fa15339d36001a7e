// Reading, narrowing, exporting and checking the audit trail.
#include "CDialogAuditTrail.h"

#include "dialogs/ShowOleDbErrors.h"
#include "module/core/CsvLine.h"
#include "module/core/ModuleSettings.h"
#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/AuditTrail.h"

#include "kernel/WinFormat.h"
#include "win/afx/DDX.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int kColumnCount = 8;
constexpr int kOldValueColumn = 6;
constexpr int kNewValueColumn = 7;
constexpr std::size_t kDateLength = 10;
// "2026-" of "2026-12-08 13:18:51".
constexpr std::size_t kYearLength = 5;

// The text of what Verify found.
std::wstring VerdictText(const AuditChainCheck& check)
{
    switch (check.kind) {
    case AuditBreak::Changed:
        return FormatWin(ModuleString(IDS_AUDIT_CHANGED).c_str(), static_cast<int>(check.sequence));
    case AuditBreak::Removed:
        return FormatWin(ModuleString(IDS_AUDIT_REMOVED).c_str(), static_cast<int>(check.sequence));
    case AuditBreak::Inserted:
        return FormatWin(ModuleString(IDS_AUDIT_INSERTED).c_str(), static_cast<int>(check.sequence));
    case AuditBreak::Missing:
        return check.sequence == check.anchor.sequence
                   ? FormatWin(ModuleString(IDS_AUDIT_ONE_MISSING).c_str(), static_cast<int>(check.sequence),
                               check.anchor.time.c_str())
                   : FormatWin(ModuleString(IDS_AUDIT_MISSING).c_str(), static_cast<int>(check.sequence),
                               static_cast<int>(check.anchor.sequence), check.anchor.time.c_str());
    case AuditBreak::Unanchored:
        return FormatWin(ModuleString(IDS_AUDIT_UNANCHORED).c_str(), static_cast<int>(check.sequence),
                         check.anchor.time.c_str());
    case AuditBreak::None:
        break;
    }
    return FormatWin(ModuleString(IDS_AUDIT_INTACT).c_str(), static_cast<int>(check.count));
}

// A date field as typed: a whole "YYYY-MM-DD" bounds the range; anything else does not.
std::wstring DateBound(const std::wstring& typed) { return typed.size() == kDateLength ? typed : L""; }

} // namespace

BEGIN_MESSAGE_MAP(CDialogAuditTrail, CDialogBase)
    ON_CBN_SELCHANGE(IDC_AUDIT_GROUP, &CDialogAuditTrail::OnFilterChanged)
    ON_CBN_SELCHANGE(IDC_AUDIT_USER, &CDialogAuditTrail::OnFilterChanged)
    ON_EN_CHANGE(IDC_AUDIT_FROM, &CDialogAuditTrail::OnFilterChanged)
    ON_EN_CHANGE(IDC_AUDIT_TO, &CDialogAuditTrail::OnFilterChanged)
    ON_BN_CLICKED(IDC_AUDIT_EXPORT, &CDialogAuditTrail::OnExport)
    ON_BN_CLICKED(IDC_AUDIT_VERIFY, &CDialogAuditTrail::OnVerify)
    ON_NOTIFY(NM_RETURN, IDC_AUDIT_LIST, &CDialogAuditTrail::OnShowRecord)
    ON_NOTIFY(NM_DBLCLK, IDC_AUDIT_LIST, &CDialogAuditTrail::OnShowRecord)
END_MESSAGE_MAP()

CDialogAuditTrail::CDialogAuditTrail(CWnd* pParent) : CDialogBase(IDD_AUDIT_TRAIL, pParent)
{
    m_dwHelpContext = IDH_AUDIT_TRAIL;
}

void CDialogAuditTrail::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUDIT_LIST, m_list);
    DDX_Control(pDX, IDC_AUDIT_GROUP, m_comboGroup);
    DDX_Control(pDX, IDC_AUDIT_USER, m_comboUser);
}

BOOL CDialogAuditTrail::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_list.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    for (int nColumn = 0; nColumn < kColumnCount; ++nColumn)
        m_list.InsertColumn(nColumn, ModuleString(IDS_AUDIT_COLUMN_FIRST + nColumn).c_str(), LVCFMT_LEFT, 0);
    ShowOleDbErrors(AuditTrail::ReadAll(ModuleSettings, m_records));
    std::vector<std::wstring> groups;
    std::vector<std::wstring> users;
    for (const AuditRecord& record : m_records) {
        groups.push_back(record.GroupName);
        users.push_back(record.UserName);
    }
    FillFilter(m_comboGroup, groups);
    FillFilter(m_comboUser, users);
    FitToScreen();
    FitColumns();
    return TRUE;
}

std::vector<std::wstring> CDialogAuditTrail::ShownFields(const AuditRecord& record, BOOL bShortTime) const
{
    const std::wstring strTime = record.LocalTime;
    return {std::to_wstring(record.Sequence), bShortTime ? strTime.substr(std::min(kYearLength, strTime.size())) : strTime,
            record.UserName, record.Instrument, record.GroupName, record.Event, record.OldValue, record.NewValue};
}

void CDialogAuditTrail::FitToScreen()
{
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const int nExtraWidth = std::max<int>(0, ::GetSystemMetrics(SM_CXSCREEN) - (window.right - window.left));
    const int nExtraHeight = std::max<int>(0, ::GetSystemMetrics(SM_CYSCREEN) - (window.bottom - window.top));
    if (nExtraWidth == 0 && nExtraHeight == 0)
        return;
    const auto placeOf = [this](HWND hChild) {
        RECT rect{};
        ::GetWindowRect(hChild, &rect);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&rect), 2);
        return rect;
    };
    // The list grows; what lies under it moves down, and the lines of text there widen with it.
    const LONG nListBottom = placeOf(m_list.m_hWnd).bottom;
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        const RECT rect = placeOf(hChild);
        const int nID = ::GetDlgCtrlID(hChild);
        const BOOL bList = nID == IDC_AUDIT_LIST;
        const BOOL bWider = bList || nID == IDC_AUDIT_SHOWN || nID == IDC_AUDIT_RESULT;
        ::MoveWindow(hChild, rect.left, rect.top + (rect.top >= nListBottom ? nExtraHeight : 0),
                     rect.right - rect.left + (bWider ? nExtraWidth : 0), rect.bottom - rect.top + (bList ? nExtraHeight : 0),
                     TRUE);
    }
    ::MoveWindow(m_hWnd, window.left, window.top, window.right - window.left + nExtraWidth,
                 window.bottom - window.top + nExtraHeight, TRUE);
    CenterWindow();
}

void CDialogAuditTrail::FitColumns()
{
    RECT client{};
    ::GetClientRect(m_list.m_hWnd, &client);
    const int nRoom = client.right - client.left;
    // The values may be long: they keep at least this much beside the other columns.
    const int nNarrowestValue = 12 * LOWORD(::GetDialogBaseUnits());
    for (BOOL bShortTime : {FALSE, TRUE}) {
        m_bShortTime = bShortTime;
        ShowRecords();
        for (int nColumn = 0; nColumn < kColumnCount; ++nColumn)
            m_list.SetColumnWidth(nColumn, LVSCW_AUTOSIZE_USEHEADER);
        int nOthers = 0;
        for (int nColumn = 0; nColumn < kOldValueColumn; ++nColumn)
            nOthers += m_list.GetColumnWidth(nColumn);
        const int nOld = m_list.GetColumnWidth(kOldValueColumn);
        const int nNew = m_list.GetColumnWidth(kNewValueColumn);
        if (nOthers + nOld + nNew <= nRoom) {
            // The room to spare goes to the new value.
            m_list.SetColumnWidth(kNewValueColumn, nRoom - nOthers - nOld);
            return;
        }
        if (nOthers + 2 * nNarrowestValue <= nRoom || bShortTime) {
            // The old value keeps what it needs up to half of what is left; the new value the rest.
            const int nLeft = std::max(nRoom - nOthers, 2 * nNarrowestValue);
            m_list.SetColumnWidth(kOldValueColumn, std::min(nOld, nLeft / 2));
            m_list.SetColumnWidth(kNewValueColumn, nLeft - std::min(nOld, nLeft / 2));
            return;
        }
    }
}

void CDialogAuditTrail::OnShowRecord(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    const int nItem = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (nItem < 0 || static_cast<std::size_t>(nItem) >= m_shown.size())
        return;
    const std::vector<std::wstring> fields = ShownFields(m_records[m_shown[static_cast<std::size_t>(nItem)]], FALSE);
    std::wstring strText;
    for (int nColumn = 0; nColumn < kColumnCount; ++nColumn)
        strText += (nColumn ? L"\n" : L"") + ModuleString(IDS_AUDIT_COLUMN_FIRST + nColumn) + L": " + fields[nColumn];
    ::MessageBoxW(m_hWnd, strText.c_str(), ModuleString(IDS_AUDIT_RECORD_CAPTION).c_str(), MB_OK | MB_ICONINFORMATION);
}

void CDialogAuditTrail::FillFilter(CComboBox& box, const std::vector<std::wstring>& values)
{
    box.AddString(ModuleString(IDS_AUDIT_ALL).c_str());
    for (const std::wstring& value : values)
        if (!value.empty() && box.FindStringExact(-1, value.c_str()) == CB_ERR)
            box.AddString(value.c_str());
    box.SetCurSel(0);
}

std::wstring CDialogAuditTrail::Chosen(const CComboBox& box) const
{
    const int nIndex = box.GetCurSel();
    if (nIndex <= 0)
        return {};
    std::wstring text;
    box.GetLBText(nIndex, text);
    return text;
}

void CDialogAuditTrail::OnFilterChanged() { ShowRecords(); }

void CDialogAuditTrail::ShowRecords()
{
    const std::wstring strGroup = Chosen(m_comboGroup);
    const std::wstring strUser = Chosen(m_comboUser);
    std::wstring strFrom;
    std::wstring strTo;
    GetDlgItemText(IDC_AUDIT_FROM, strFrom);
    GetDlgItemText(IDC_AUDIT_TO, strTo);
    strFrom = DateBound(strFrom);
    strTo = DateBound(strTo);
    m_shown.clear();
    for (std::size_t n = m_records.size(); n-- > 0;) {
        const AuditRecord& record = m_records[n];
        const std::wstring strDate = std::wstring(record.LocalTime).substr(0, kDateLength);
        if ((strGroup.empty() || strGroup == record.GroupName) && (strUser.empty() || strUser == record.UserName) &&
            (strFrom.empty() || strDate >= strFrom) && (strTo.empty() || strDate <= strTo))
            m_shown.push_back(n);
    }
    m_list.DeleteAllItems();
    for (int nItem = 0; std::size_t n : m_shown) {
        const std::vector<std::wstring> fields = ShownFields(m_records[n], m_bShortTime);
        m_list.InsertItem(nItem, fields.front().c_str());
        for (int nColumn = 1; nColumn < static_cast<int>(fields.size()); ++nColumn)
            m_list.SetItemText(nItem, nColumn, fields[nColumn].c_str());
        ++nItem;
    }
    SetDlgItemText(IDC_AUDIT_SHOWN, FormatWin(ModuleString(IDS_AUDIT_SHOWN).c_str(), static_cast<int>(m_shown.size()),
                                              static_cast<int>(m_records.size())));
}

void CDialogAuditTrail::OnExport()
{
    const std::wstring strFile = TypedFileName(IDC_AUDIT_FILE, IDC_AUDIT_RESULT, IDS_AUDIT_NO_EXPORT_FILE);
    if (strFile.empty())
        return;
    // In the order written, as a reader of the file checks them against each other.
    std::vector<std::vector<std::wstring>> records;
    for (auto shown = m_shown.rbegin(); shown != m_shown.rend(); ++shown) {
        const AuditRecord& record = m_records[*shown];
        std::vector<std::wstring> fields = ShownFields(record, FALSE);
        fields.insert(std::next(fields.begin()), AuditTrail::UtcTimeText(record.UtcTime));
        fields.push_back(record.Hash);
        records.push_back(std::move(fields));
    }
    const int nError = WriteCsvFile(strFile, ModuleString(IDS_AUDIT_CSV_HEADER), records);
    SetDlgItemText(IDC_AUDIT_RESULT, nError == 0 ? FormatWin(ModuleString(IDS_AUDIT_EXPORTED).c_str(),
                                                             static_cast<int>(m_shown.size()), strFile.c_str())
                                                 : FormatWin(ModuleString(IDS_AUDIT_EXPORT_FAILED).c_str(), strFile.c_str(),
                                                             FileWriteFailure(strFile, nError).c_str()));
}

void CDialogAuditTrail::OnVerify()
{
    // The records as the file holds them now, not as the dialog read them.
    const HRESULT status = AuditTrail::ReadAll(ModuleSettings, m_records);
    ShowOleDbErrors(status);
    if (SUCCEEDED(status))
        SetDlgItemText(IDC_AUDIT_RESULT, VerdictText(AuditTrail::Verify(ModuleSettings, m_records)));
    ShowRecords();
}
