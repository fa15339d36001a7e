// Choosing and ordering the groups of a queue.
#include "CDialogRunQueue.h"

#include "module/core/ModuleString.h"
#include "resources/ResourceIds.h"
#include "worklist/MethodRecord.h"

#include "win/afx/AfxMessageBox.h"
#include "win/afx/DDX.h"

#include <utility>

namespace {

// The method list's check pictures, so that a checked group looks like a checked row.
constexpr int kStateImageWidth = 20;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kColumnWidth = 300;

UINT StateImage(LONG nRunState) { return INDEXTOSTATEIMAGEMASK(static_cast<UINT>(nRunState)); }

} // namespace

BEGIN_MESSAGE_MAP(CDialogRunQueue, CDialogBase)
    ON_BN_CLICKED(IDC_QUEUE_UP, &CDialogRunQueue::OnMoveUp)
    ON_BN_CLICKED(IDC_QUEUE_DOWN, &CDialogRunQueue::OnMoveDown)
    ON_NOTIFY(NM_CLICK, IDC_QUEUE_GROUPS, &CDialogRunQueue::OnClick)
    ON_NOTIFY(LVN_KEYDOWN, IDC_QUEUE_GROUPS, &CDialogRunQueue::OnKeyDown)
END_MESSAGE_MAP()

CDialogRunQueue::CDialogRunQueue(CWnd* pParent, std::vector<GroupEntry> groups)
    : CDialogBase(IDD_RUN_QUEUE, pParent), m_groups(std::move(groups))
{
    m_dwHelpContext = IDH_RUN_QUEUE;
}

void CDialogRunQueue::DoDataExchange(CDataExchange* pDX)
{
    CDialogBase::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_QUEUE_GROUPS, m_list);
}

BOOL CDialogRunQueue::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_checkImages.Create(IDB_STATE_IMAGES, kStateImageWidth, 6, kWhite);
    m_list.SetImageList(&m_checkImages, LVSIL_STATE);
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, ModuleString(IDS_QUEUE_GROUP_COLUMN).c_str(), LVCFMT_LEFT, kColumnWidth);
    for (int nItem = 0; const GroupEntry& group : m_groups) {
        m_list.InsertItem(nItem, group.name.c_str());
        m_list.SetItemData(nItem, static_cast<DWORD_PTR>(group.id));
        m_list.SetItemState(nItem, StateImage(RUNSTATE_UNCHECKED), LVIS_STATEIMAGEMASK);
        ++nItem;
    }
    if (m_list.GetItemCount() > 0)
        m_list.SetItemState(0, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
    return TRUE;
}

BOOL CDialogRunQueue::IsChecked(int nItem) const
{
    return m_list.GetItemState(nItem, LVIS_STATEIMAGEMASK) == StateImage(RUNSTATE_CHECKED);
}

void CDialogRunQueue::ToggleChecked(int nItem)
{
    m_list.SetItemState(nItem, StateImage(IsChecked(nItem) ? RUNSTATE_UNCHECKED : RUNSTATE_CHECKED),
                        LVIS_STATEIMAGEMASK);
}

void CDialogRunQueue::OnClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    LVHITTESTINFO hit{};
    hit.pt = reinterpret_cast<NMITEMACTIVATE*>(pNMHDR)->ptAction;
    const int nItem = m_list.HitTest(&hit);
    if (nItem >= 0 && (hit.flags & LVHT_ONITEMSTATEICON))
        ToggleChecked(nItem);
}

void CDialogRunQueue::OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (reinterpret_cast<NMLVKEYDOWN*>(pNMHDR)->wVKey != VK_SPACE)
        return;
    const int nItem = m_list.GetNextItem(-1, LVNI_FOCUSED);
    if (nItem >= 0)
        ToggleChecked(nItem);
}

void CDialogRunQueue::OnMoveUp() { MoveSelected(-1); }

void CDialogRunQueue::OnMoveDown() { MoveSelected(1); }

void CDialogRunQueue::MoveSelected(int nStep)
{
    const int nItem = m_list.GetNextItem(-1, LVNI_SELECTED);
    const int nOther = nItem + nStep;
    if (nItem < 0 || nOther < 0 || nOther >= m_list.GetItemCount())
        return;
    const auto swap = [this, nItem, nOther](auto get, auto set) {
        auto value = get(nItem);
        set(nItem, get(nOther));
        set(nOther, value);
    };
    swap([this](int n) { return m_list.GetItemText(n, 0); },
         [this](int n, const std::wstring& text) { m_list.SetItemText(n, 0, text.c_str()); });
    swap([this](int n) { return m_list.GetItemData(n); }, [this](int n, DWORD_PTR data) { m_list.SetItemData(n, data); });
    swap([this](int n) { return m_list.GetItemState(n, LVIS_STATEIMAGEMASK); },
         [this](int n, UINT state) { m_list.SetItemState(n, state, LVIS_STATEIMAGEMASK); });
    m_list.SetItemState(nItem, 0, LVIS_FOCUSED | LVIS_SELECTED);
    m_list.SetItemState(nOther, LVIS_FOCUSED | LVIS_SELECTED, LVIS_FOCUSED | LVIS_SELECTED);
}

void CDialogRunQueue::OnOK()
{
    m_queue.clear();
    for (int nItem = 0; nItem < m_list.GetItemCount(); ++nItem)
        if (IsChecked(nItem))
            m_queue.push_back(static_cast<LONG>(m_list.GetItemData(nItem)));
    if (m_queue.empty()) {
        AfxMessageBox(ModuleString(IDS_QUEUE_EMPTY), MB_OK);
        return;
    }
    CDialogBase::OnOK();
}
