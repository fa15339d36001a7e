// "Run Queue": the worklist's groups, each with a box that puts it in the queue, in the order the
// queue runs them; Move Up and Move Down change the order. The caller reads m_queue after Start.
#pragma once

#include "CDialogBase.h"

#include "worklist/GroupRows.h"

#include "win/afx/CImageList.h"
#include "win/afx/CListCtrl.h"

#include <vector>

class CDialogRunQueue : public CDialogBase {
public:
    CDialogRunQueue(CWnd* pParent, std::vector<GroupEntry> groups);

    // The checked groups' ids, from the top down.
    std::vector<LONG> m_queue;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Start: a queue without a group is refused and the dialog stays.
    void OnOK() override;
    void OnMoveUp();
    void OnMoveDown();
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    void ToggleChecked(int nItem);
    BOOL IsChecked(int nItem) const;
    // The selected group trades places with its neighbour nStep items away and stays selected.
    void MoveSelected(int nStep);

    std::vector<GroupEntry> m_groups;
    CListCtrl m_list;
    CImageList m_checkImages;
};
