// The method list: filling it from the group's method table, the click toggle, the properties
// edit, the fixed state column and the colours by run state.
#include "CMethodListCtrl.h"

#include "QcEvaluation.h"

#include "dialogs/CDialogMethodInfo.h"
#include "dialogs/ShowOleDbErrors.h"
#include "module/core/ModuleString.h"
#include "module/core/TraceLog.h"
#include "orvane/Nls.h"
#include "resources/ModuleResources.h"
#include "resources/ResourceIds.h"
#include "worklist/QcRules.h"
#include "worklist/ReadTransaction.h"
#include "worklist/RecordText.h"
#include "worklist/RowResults.h"

#include "kernel/Text.h"
#include "kernel/TimeApi.h"
#include "kernel/WinFormat.h"

#include <algorithm>
#include <cwchar>
#include <set>

namespace {

constexpr int kStateColumnWidth = 21;
// The run's columns in pixels: a time with its date, a duration, and the message's first line.
constexpr int kTimeColumnWidth = 13 * 8;
constexpr int kDurationColumnWidth = 9 * 8;
constexpr int kQcColumnWidth = 8 * 8;
constexpr int kResultColumnWidth = 24 * 8;
constexpr int kRunColumnsWidth = 2 * kTimeColumnWidth + kDurationColumnWidth + kQcColumnWidth + kResultColumnWidth;
constexpr int kDataFileColumn = 2;
constexpr int kCommentsColumn = 3;
constexpr int kStartColumn = 4;
constexpr int kEndColumn = 5;
constexpr int kDurationColumn = 6;
constexpr int kQcColumn = 7;
constexpr int kResultColumn = 8;
constexpr int kStateImageWidth = 20;
constexpr COLORREF kWhite = RGB(255, 255, 255);
// Every state bit of an item: replacing the whole state also clears selection and focus.
constexpr UINT kWholeState = 0xFFFF;

// The stored time as ctime writes it, "Wed Jun 30 21:49:08 1993\n"; empty for none.
std::wstring TimeText(LONG nTime)
{
    return nTime > 0 ? FormatTime(nTime, L"%a %b %e %H:%M:%S %Y\n") : L"";
}

// A stored data file as the dialog shows it: trailing small d's, then capital D's, then dots gone.
std::wstring DataFileShown(std::wstring strDataFile)
{
    for (wchar_t trailing : {L'd', L'D', L'.'})
        while (!strDataFile.empty() && strDataFile.back() == trailing)
            strDataFile.pop_back();
    return strDataFile;
}

// The data file a user typed, as it is stored: cut at the first dot, with ".d".
std::wstring DataFileStored(const std::wstring& strTyped) { return strTyped.substr(0, strTyped.find(L'.')) + L".d"; }

std::wstring ColumnHeading(UINT nID)
{
    wchar_t szHeading[45]{};
    NlsLoadString(ModuleResourceHandle(), nID, szHeading, 45);
    return szHeading;
}

// One record for each field that Properties changed, naming the row as the list numbers it.
std::vector<AuditEntry> PropertyChanges(const MethodRecord& before, const MethodRecord& after)
{
    struct Field {
        const wchar_t* name;
        const WCHAR* before;
        const WCHAR* after;
    };
    const Field fields[] = {{L"Data File", before.DataFile, after.DataFile},
                            {L"Comments", before.Comments, after.Comments},
                            {L"Sub-Folder", before.SubFolder, after.SubFolder},
                            {L"Operator", before.Operator, after.Operator}};
    std::vector<AuditEntry> changes;
    for (const Field& field : fields)
        if (std::wcscmp(field.before, field.after) != 0)
            changes.push_back({FormatWin(L"Row %d %s edited in Properties", before.aaaID + 1, field.name), field.before,
                               field.after});
    return changes;
}

} // namespace

BEGIN_MESSAGE_MAP(CMethodListCtrl, CListCtrl)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &CMethodListCtrl::OnDoubleClick)
    ON_NOTIFY_REFLECT(NM_CLICK, &CMethodListCtrl::OnClick)
    ON_NOTIFY_REFLECT(LVN_KEYDOWN, &CMethodListCtrl::OnKeyDown)
    ON_NOTIFY_REFLECT(NM_RETURN, &CMethodListCtrl::OnReturn)
    ON_NOTIFY(HDN_BEGINTRACKW, 0, &CMethodListCtrl::OnBeginTrack)
    ON_NOTIFY(HDN_DIVIDERDBLCLICKW, 0, &CMethodListCtrl::OnDividerDoubleClick)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &CMethodListCtrl::OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_GETINFOTIPW, &CMethodListCtrl::OnGetInfoTip)
END_MESSAGE_MAP()

CMethodListCtrl::CMethodListCtrl(MethodRows& rows) : m_rows(rows) { m_rows.SetObserver(this); }

CMethodListCtrl::~CMethodListCtrl()
{
    CloseTable();
    m_rows.SetObserver(nullptr);
}

bool CMethodListCtrl::StartedInRun(const MethodRecord& row) const
{
    return m_bRunGoesOn &&
           (row.RunState == RUNSTATE_RUNNING || row.RunState == RUNSTATE_DONE || row.RunState == RUNSTATE_FAILED);
}

void CMethodListCtrl::PreSubclassWindow()
{
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    const int nWidth = rect.right - rect.left;

    m_stateImages.Create(IDB_STATE_IMAGES, kStateImageWidth, 6, kWhite);
    SetImageList(&m_stateImages, LVSIL_STATE);
    // The list now owns the image list and destroys it with its window.
    m_stateImages.Detach();

    InsertColumn(0, L"", LVCFMT_LEFT, kStateColumnWidth);
    // The state picture and the method name stay in place while the other columns scroll, so that
    // a row's times and result are read beside its method.
    InsertColumn(1, ColumnHeading(IDS_METHOD_NAME).c_str(), LVCFMT_LEFT | LVCFMT_FROZEN, nWidth / 4);
    InsertColumn(2, ColumnHeading(IDS_DATA_FILE).c_str(), LVCFMT_LEFT, nWidth / 4);
    InsertColumn(3, ColumnHeading(IDS_COMMENTS).c_str(), LVCFMT_LEFT, nWidth / 2 - 24);
    InsertColumn(kStartColumn, ColumnHeading(IDS_START_COLUMN).c_str(), LVCFMT_LEFT, kTimeColumnWidth);
    InsertColumn(kEndColumn, ColumnHeading(IDS_END_COLUMN).c_str(), LVCFMT_LEFT, kTimeColumnWidth);
    InsertColumn(kDurationColumn, ColumnHeading(IDS_DURATION_COLUMN).c_str(), LVCFMT_RIGHT, kDurationColumnWidth);
    InsertColumn(kQcColumn, ColumnHeading(IDS_QC_COLUMN).c_str(), LVCFMT_LEFT, kQcColumnWidth);
    InsertColumn(kResultColumn, ColumnHeading(IDS_RESULT_COLUMN).c_str(), LVCFMT_LEFT, kResultColumnWidth);
    SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
}

void CMethodListCtrl::WidenColumns(int nExtra)
{
    constexpr int kNarrowestColumn = 24;
    // A wider list first shows a whole data file name, then the run's columns, which keep their
    // widths; the comment and result columns, whose texts are the longest, share the rest.
    static constexpr int kDataFileFirst = 64;
    const auto dataFileOnly = [](int nWider) { return std::clamp(nWider, 0, kDataFileFirst); };
    const auto shared = [](int nWider) { return std::max(0, nWider - kDataFileFirst - kRunColumnsWidth); };
    const int nBefore = m_nExtraWidth;
    m_nExtraWidth += nExtra;
    const int nShared = shared(m_nExtraWidth) - shared(nBefore);
    const int nDataFileShare = dataFileOnly(m_nExtraWidth) - dataFileOnly(nBefore);
    SetColumnWidth(kDataFileColumn, std::max(kNarrowestColumn, GetColumnWidth(kDataFileColumn) + nDataFileShare));
    SetColumnWidth(kCommentsColumn, std::max(kNarrowestColumn, GetColumnWidth(kCommentsColumn) + nShared / 2));
    SetColumnWidth(kResultColumn, std::max(kResultColumnWidth, GetColumnWidth(kResultColumn) + nShared - nShared / 2));
}

BOOL CMethodListCtrl::LoadGroup(LPCWSTR lpszName, LONG nGroupId)
{
    CloseTable();
    if (lpszName && ShowOleDbErrors(m_rows.LoadGroup(lpszName, nGroupId))) {
        // The rows of a group that is not loaded are never shown.
        Refill();
        return FALSE;
    }
    Refill();
    return m_rows.Table() != nullptr;
}

BOOL CMethodListCtrl::CloseTable()
{
    m_rows.ClearGroup();
    return TRUE;
}

std::vector<std::pair<LONG, UINT>> CMethodListCtrl::RowMarks() const
{
    std::vector<std::pair<LONG, UINT>> marks;
    for (int nItem = 0; nItem < GetItemCount(); ++nItem)
        if (const MethodItemData* pData = ItemData(nItem))
            marks.emplace_back(pData->aaaID, GetItemState(nItem, LVIS_FOCUSED | LVIS_SELECTED));
    return marks;
}

void CMethodListCtrl::Refill()
{
    // Checking all rows, autonaming or cleaning run states shows the same rows again: the keyboard
    // user keeps the focused row, so that the next arrow key goes on from there, while the
    // selection is cleared, so that the next Add Method appends to the group.
    const std::vector<std::pair<LONG, UINT>> marks = RowMarks();
    DeleteAllItems();
    m_itemData.clear();
    m_itemsInState.clear();
    ++m_nRefills;
    CMethodTable* pTable = m_rows.Table();
    if (!pTable)
        return;
    const ReadTransaction reading(pTable->m_session);
    LONG nCurrent = pTable->aaaID;
    const auto now = static_cast<LONG>(_time64(nullptr));
    int nItem = 0;
    for (pTable->MoveFirst(); pTable->HasCurrentRow(); pTable->MoveNext(), ++nItem) {
        auto& pData = m_itemData.emplace_back(std::make_unique<MethodItemData>(
            MethodItemData{pTable->aaaID, 0, pTable->StartTime, pTable->EndTime}));
        SetItemRunState(*pData, pTable->RunState);
        const std::wstring strMessage = std::wstring(pTable->ErrMessage).substr(0, 99) + L" ... ...";
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM | LVIF_STATE;
        item.iItem = nItem;
        item.pszText = const_cast<LPWSTR>(strMessage.c_str());
        item.lParam = reinterpret_cast<LPARAM>(pData.get());
        item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(pTable->RunState));
        item.stateMask = kWholeState;
        InsertItem(&item);
        // A new item's texts are empty: only those with something to show are set, and a row that
        // never ran shows nothing in the run's columns.
        for (const auto& [nColumn, lpszText] : {std::pair{1, pTable->MethodName}, {2, pTable->DataFile}, {3, pTable->Comments}})
            if (lpszText[0])
                SetItemText(nItem, nColumn, lpszText);
        if (pData->nStartTime > 0 || pData->nEndTime > 0 || pTable->ErrMessage[0])
            ShowRunColumns(nItem, pTable->ErrMessage, now);
    }
    m_rows.FindRow(nCurrent, FALSE);
    ShowQc();
    const auto rowOf = &std::pair<LONG, UINT>::first;
    if (std::ranges::equal(RowMarks(), marks, {}, rowOf, rowOf))
        for (int nItem = 0; nItem < GetItemCount(); ++nItem)
            SetItemState(nItem, marks[static_cast<std::size_t>(nItem)].second & LVIS_FOCUSED, LVIS_FOCUSED | LVIS_SELECTED);
    SetSelectionMark(0);
}

BOOL CMethodListCtrl::InsertMethods(const std::vector<std::wstring>& names, LONG copies, const std::wstring& methodPath)
{
    if (!m_rows.Table() && !LoadGroup(m_rows.GroupName().c_str()))
        return FALSE;
    LONG nPlace = GetItemCount();
    if (GetSelectedCount() > 0) {
        nPlace = 0;
        for (POSITION pos = GetFirstSelectedItemPosition(); pos;)
            nPlace = std::max<LONG>(nPlace, GetNextSelectedItem(pos) + 1);
    }
    ShowOleDbErrors(m_rows.InsertMethods(names, copies, methodPath, nPlace));
    return TRUE;
}

BOOL CMethodListCtrl::DeleteSelected()
{
    if (GetSelectedCount() == 0)
        return FALSE;
    std::set<LONG> selected;
    for (POSITION pos = GetFirstSelectedItemPosition(); pos;)
        if (const MethodItemData* pData = ItemData(GetNextSelectedItem(pos)))
            selected.insert(pData->aaaID);
    if (m_rows.Table())
        ShowOleDbErrors(m_rows.DeleteSelected(selected));
    else
        Refill();
    return TRUE;
}

MethodItemData* CMethodListCtrl::ItemData(int nItem) const
{
    return nItem < 0 ? nullptr : reinterpret_cast<MethodItemData*>(GetItemData(nItem));
}

void CMethodListCtrl::SetItemRunState(MethodItemData& data, LONG state)
{
    if (data.nRunState != 0)
        --m_itemsInState[data.nRunState];
    data.nRunState = state;
    ++m_itemsInState[state];
}

int CMethodListCtrl::CountInState(LONG state) const
{
    const auto found = m_itemsInState.find(state);
    return found == m_itemsInState.end() ? 0 : found->second;
}

int CMethodListCtrl::ItemOfRow(LONG aaaID) const
{
    // Rows are numbered by their places, so the row's item is found directly; only a list whose
    // numbers have gaps is searched.
    const auto showsRow = [this, aaaID](int nItem) {
        const MethodItemData* pData = nItem < GetItemCount() ? ItemData(nItem) : nullptr;
        return pData && pData->aaaID == aaaID;
    };
    if (aaaID >= 0 && showsRow(static_cast<int>(aaaID)))
        return static_cast<int>(aaaID);
    for (int nItem = 0; nItem < GetItemCount(); ++nItem)
        if (showsRow(nItem))
            return nItem;
    return -1;
}

void CMethodListCtrl::ShowRunColumns(int nItem, const wchar_t* message, LONG now)
{
    const MethodItemData& data = *ItemData(nItem);
    SetItemText(nItem, kStartColumn, RunProgress::TimeText(data.nStartTime, now).c_str());
    SetItemText(nItem, kEndColumn, RunProgress::TimeText(data.nEndTime, now).c_str());
    // The running row's duration grows until it ends; a row left without an end has none.
    const LONG nUntil = data.nRunState == RUNSTATE_RUNNING ? now : data.nEndTime;
    SetItemText(nItem, kDurationColumn,
                data.nStartTime > 0 && nUntil >= data.nStartTime ? RunProgress::DurationText(nUntil - data.nStartTime).c_str()
                                                                 : L"");
    const std::wstring strMessage = message;
    SetItemText(nItem, kResultColumn, strMessage.substr(0, strMessage.find_first_of(L"\r\n")).c_str());
}

MethodRecord CMethodListCtrl::ItemRecord(int nItem) const
{
    MethodRecord row{};
    if (const MethodItemData* pData = ItemData(nItem)) {
        row.aaaID = pData->aaaID;
        row.RunState = pData->nRunState;
        row.EndTime = pData->nEndTime;
        SetRecordText(row.DataFile, GetItemText(nItem, kDataFileColumn));
    }
    return row;
}

void CMethodListCtrl::ShowQc()
{
    std::vector<ResultRecord> results;
    const CMethodTable* pTable = m_rows.Table();
    if (!pTable || FAILED(RowResults::ReadGroup(pTable->m_session, m_rows.GroupName(), results)))
        return;
    // Each row's lines by its last end, found in one pass however long the group.
    std::map<std::pair<LONG, std::wstring>, std::vector<ResultRecord>> byEnd;
    for (const ResultRecord& result : results)
        byEnd[{result.EndTime, result.DataFile}].push_back(result);
    for (int nItem = 0; nItem < GetItemCount(); ++nItem) {
        const MethodRecord row = ItemRecord(nItem);
        const auto found = byEnd.find({row.EndTime, row.DataFile});
        const bool bEnded = row.RunState == RUNSTATE_DONE || row.RunState == RUNSTATE_FAILED;
        const std::wstring strFlag = bEnded && found != byEnd.end() ? RowResults::Flag(found->second) : L"";
        if (GetItemText(nItem, kQcColumn) != strFlag)
            SetItemText(nItem, kQcColumn, strFlag.c_str());
    }
}

std::wstring CMethodListCtrl::QcTip(int nItem) const
{
    const CMethodTable* pTable = m_rows.Table();
    std::vector<ResultRecord> results;
    std::vector<QcRule> rules;
    if (!pTable || FAILED(RowResults::ReadGroup(pTable->m_session, m_rows.GroupName(), results)))
        return L"";
    QcRules::Read(m_rows.Place(), m_rows.GroupId(), rules);
    const std::vector<std::size_t> lines = RowResults::OfRow(results, ItemRecord(nItem));
    std::vector<ResultRecord> own;
    for (std::size_t line : lines)
        own.push_back(results[line]);
    const auto why = [&rules](std::vector<ResultRecord> checked) {
        std::wstring strWhy;
        for (const QcEvaluation::Decision& decision : QcEvaluation::Evaluate(rules, checked, false))
            strWhy += (strWhy.empty() ? L"" : L"; ") + FormatWin(ModuleString(IDS_QC_TIP_FAILED).c_str(),
                                                                checked[decision.result].Sample,
                                                                decision.Figures().c_str(), decision.rule.Text().c_str());
        return strWhy;
    };
    if (RowResults::Flag(own) == RowResults::kFailed)
        return why(own);
    // A suspect row was measured before a check that failed: the first such check after it.
    const auto suspect = std::ranges::find_if(lines, [&](std::size_t line) {
        return EqualsNoCase(results[line].QC, RowResults::kSuspect);
    });
    const auto check = std::find_if(results.begin() + static_cast<std::ptrdiff_t>(suspect == lines.end() ? results.size() : *suspect),
                                    results.end(), [](const ResultRecord& result) {
        return EqualsNoCase(result.Kind, L"check") && EqualsNoCase(result.QC, RowResults::kFailed);
    });
    if (check == results.end())
        return L"";
    const std::vector<ResultRecord> checkLine{*check};
    int nCheckItem = 0;
    while (nCheckItem < GetItemCount() && RowResults::OfRow(checkLine, ItemRecord(nCheckItem)).empty())
        ++nCheckItem;
    return FormatWin(ModuleString(IDS_QC_TIP_SUSPECT).c_str(), nCheckItem + 1, why(checkLine).c_str());
}

void CMethodListCtrl::OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    auto* pRequest = reinterpret_cast<NMLVGETINFOTIPW*>(pNMHDR);
    if (pRequest->iSubItem != kQcColumn || GetItemText(pRequest->iItem, kQcColumn).empty())
        return;
    const std::wstring strTip = QcTip(pRequest->iItem);
    if (strTip.empty() || pRequest->cchTextMax <= 0)
        return;
    const std::size_t nCopied = std::min(strTip.size(), static_cast<std::size_t>(pRequest->cchTextMax) - 1);
    std::wmemcpy(pRequest->pszText, strTip.c_str(), nCopied);
    pRequest->pszText[nCopied] = L'\0';
}

void CMethodListCtrl::ShowRunningTime(LONG aaaID, LONG now)
{
    const int nItem = ItemOfRow(aaaID);
    if (const MethodItemData* pData = ItemData(nItem); pData && pData->nRunState == RUNSTATE_RUNNING && pData->nStartTime > 0)
        SetItemText(nItem, kDurationColumn, RunProgress::DurationText(now - pData->nStartTime).c_str());
}

RunProgress::Row CMethodListCtrl::ItemRow(int nItem) const
{
    const MethodItemData* pData = nItem >= 0 && nItem < GetItemCount() ? ItemData(nItem) : nullptr;
    if (!pData)
        return {-1, {}, 0, 0, 0};
    return {pData->aaaID, GetItemText(nItem, 1), pData->nRunState, pData->nStartTime, pData->nEndTime};
}

std::vector<RunProgress::Row> CMethodListCtrl::ProgressRows() const
{
    std::vector<RunProgress::Row> rows;
    for (int nItem = 0; nItem < GetItemCount(); ++nItem)
        rows.push_back(ItemRow(nItem));
    return rows;
}

void CMethodListCtrl::ToggleRunState(int nItem)
{
    MethodItemData* pData = ItemData(nItem);
    CMethodTable* pTable = m_rows.Table();
    if (!pData || !pTable || ShowOleDbErrors(m_rows.EditableHere()))
        return;
    LONG nCurrent = pTable->aaaID;
    if (MethodRecord* pRow = m_rows.FindRowById(pData->aaaID, FALSE)) {
        if (pData->nRunState == RUNSTATE_RUNNING) {
            ::MessageBeep(MB_ICONHAND);
        } else {
            const LONG nOld = pRow->RunState;
            SetItemRunState(*pData, pData->nRunState != RUNSTATE_UNCHECKED ? RUNSTATE_UNCHECKED : RUNSTATE_CHECKED);
            SetItemState(nItem, INDEXTOSTATEIMAGEMASK(static_cast<UINT>(pData->nRunState)), kWholeState);
            pRow->RunState = pData->nRunState;
            const wchar_t* event = pData->nRunState == RUNSTATE_CHECKED ? L"Row %d checked" : L"Row %d unchecked";
            ShowOleDbErrors(m_rows.WriteRow({{FormatWin(event, pData->aaaID + 1), MethodRows::RunStateName(nOld),
                                              MethodRows::RunStateName(pData->nRunState)}}));
            Invalidate();
            UpdateWindow();
        }
    }
    m_rows.FindRow(nCurrent, FALSE);
}

void CMethodListCtrl::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    const auto* pActivate = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR);
    if (pActivate->iSubItem != 0)
        return;
    LVHITTESTINFO hit{};
    hit.pt = pActivate->ptAction;
    const int nItem = HitTest(&hit);
    if (nItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
        ToggleRunState(nItem);
}

void CMethodListCtrl::OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    // Space checks and unchecks the focused row as a click on its state image does, and the
    // keyboard user keeps the place: the row stays focused and selected. Ctrl+Space is the
    // list's own: it adds the row to the selection or takes it out.
    if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey != VK_SPACE || ::GetKeyState(VK_CONTROL) < 0)
        return;
    const int nItem = GetNextItem(-1, LVNI_FOCUSED);
    if (nItem < 0)
        return;
    ToggleRunState(nItem);
    SetItemState(nItem, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void CMethodListCtrl::OnDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    EditProperties();
}

void CMethodListCtrl::OnReturn(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    EditProperties();
}

void CMethodListCtrl::EditProperties()
{
    CMethodTable* pTable = m_rows.Table();
    if (!pTable || !HasSingleSelection() || ShowOleDbErrors(m_rows.EditableHere()))
        return;
    const int nItem = GetSelectionMark();
    const MethodItemData* pData = ItemData(nItem);
    if (!pData)
        return;
    LONG nCurrent = pTable->aaaID;
    const MethodRecord* pRow = m_rows.FindRowById(pData->aaaID, FALSE);
    if (!pRow) {
        m_rows.FindRow(nCurrent, FALSE);
        return;
    }
    CDialogMethodInfo dialog(GetParent());
    dialog.m_strStartTime = TimeText(pRow->StartTime);
    dialog.m_strEndTime = TimeText(pRow->EndTime);
    dialog.m_strDataFile = DataFileShown(pRow->DataFile);
    dialog.m_strComment = pRow->Comments;
    dialog.m_strRunMessage = pRow->ErrMessage;
    dialog.m_strSubdirectory = pRow->SubFolder;
    dialog.m_strOperator = pRow->Operator;
    dialog.m_nRow = nItem + 1;
    dialog.m_strMethodName = pRow->MethodName;
    dialog.m_bReadOnly = StartedInRun(*pRow);
    const LONG nEdited = pData->aaaID;
    // While the dialog is open a run goes on: the cursor stays on the edited row unless the run
    // moves it to a row of its own, where it then stays; the run finds its rows by their keys.
    const int nResult = dialog.RunModal(IDD_METHOD_INFO);
    if (pTable == m_rows.Table() && pTable->HasCurrentRow() && pTable->aaaID != nEdited)
        nCurrent = pTable->aaaID;
    MethodRecord* pEdited =
        nResult == IDOK && !dialog.m_bReadOnly && pTable == m_rows.Table() ? m_rows.FindRowById(nEdited, FALSE) : nullptr;
    // A row the run started while its dialog was open runs with the texts its start sent.
    if (pEdited && StartedInRun(*pEdited)) {
        ShowWorklistMessage(FormatWin(ModuleString(IDS_ROW_STARTED_MEANWHILE).c_str(), nItem + 1));
        pEdited = nullptr;
    }
    if (pEdited) {
        const MethodRecord before = *pEdited;
        const std::wstring strDataFile = DataFileStored(dialog.m_strDataFile);
        SetRecordText(pEdited->Comments, dialog.m_strComment);
        SetRecordText(pEdited->SubFolder, dialog.m_strSubdirectory);
        SetRecordText(pEdited->Operator, dialog.m_strOperator);
        SetRecordText(pEdited->DataFile, strDataFile);
        // The list shows the texts as the row stores them.
        for (int nShown = 0; nShown < GetItemCount(); ++nShown) {
            if (const MethodItemData* pShown = ItemData(nShown); pShown && pShown->aaaID == nEdited) {
                SetItemText(nShown, 2, pEdited->DataFile);
                SetItemText(nShown, 3, pEdited->Comments);
            }
        }
        ShowOleDbErrors(m_rows.WriteRow(PropertyChanges(before, *pEdited)));
    }
    m_rows.FindRow(nCurrent, FALSE);
    Invalidate();
    UpdateWindow();
}

void CMethodListCtrl::UpdateRowState(LONG aaaID, LONG state, const wchar_t* message,
                                     const std::vector<ResultRecord>& results)
{
    TraceLog(3, L"UpdateRowState: %ld, %d\n", aaaID, state);
    if (const int nItem = ItemOfRow(aaaID); nItem >= 0) {
        MethodItemData& data = *ItemData(nItem);
        SetItemRunState(data, state);
        SetItemText(nItem, 0, message ? message : L"");
        // The row whose state changed is the table's current one, with its new times and message.
        if (const CMethodTable* pTable = m_rows.Table(); pTable && pTable->HasCurrentRow() && pTable->aaaID == aaaID) {
            data.nStartTime = pTable->StartTime;
            data.nEndTime = pTable->EndTime;
            ShowRunColumns(nItem, pTable->ErrMessage, static_cast<LONG>(_time64(nullptr)));
        }
        // A row's end brings its results; a failed one may make earlier rows suspect too, and only
        // then is every row's flag read again.
        if (state == RUNSTATE_DONE || state == RUNSTATE_FAILED) {
            const std::wstring strFlag = RowResults::Flag(results);
            if (strFlag == RowResults::kFailed)
                ShowQc();
            else
                SetItemText(nItem, kQcColumn, strFlag.c_str());
        }
        // Last, as the change of the state image tells the window, which then shows the progress.
        SetItemState(nItem, INDEXTOSTATEIMAGEMASK(static_cast<UINT>(state)), kWholeState);
    }
    Invalidate();
    UpdateWindow();
}

void CMethodListCtrl::OnBeginTrack(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The state column keeps its width.
    *pResult = reinterpret_cast<NMHEADERW*>(pNMHDR)->iItem == 0;
}

void CMethodListCtrl::OnDividerDoubleClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = reinterpret_cast<NMHEADERW*>(pNMHDR)->iItem == 0 ? 0 : Default();
}

void CMethodListCtrl::OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pDraw = reinterpret_cast<NMLVCUSTOMDRAW*>(pNMHDR);
    *pResult = CDRF_DODEFAULT;
    switch (pDraw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *pResult = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *pResult = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        return;
    }
    const auto* pData = reinterpret_cast<const MethodItemData*>(pDraw->nmcd.lItemlParam);
    if (pDraw->iSubItem == 0 || !pData)
        return;
    switch (pData->nRunState) {
    case RUNSTATE_RUNNING: pDraw->clrText = RGB(0, 0, 255); break;
    case RUNSTATE_DONE: pDraw->clrTextBk = RGB(255, 255, 0); break;
    case RUNSTATE_FAILED: pDraw->clrText = RGB(255, 0, 0); break;
    case RUNSTATE_UNCHECKED: pDraw->clrText = RGB(128, 128, 128); break;
    case RUNSTATE_INTERRUPTED: pDraw->clrText = RGB(192, 96, 0); break;
    default: break;
    }
}
