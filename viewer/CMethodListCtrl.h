// The method list of the main window: the shown group's rows in "aaaID" order, each row's run
// state as its state image (which doubles as its check box) and colour, method name, data file
// and comments as columns. It owns the group's open method table and runs the row algorithms on
// it; a click on a state image checks or unchecks the row, a double click opens its properties.
#pragma once

#include "worklist/MethodRows.h"

#include "win/afx/CImageList.h"
#include "win/afx/CListCtrl.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

// What each list item carries as its parameter: its row and that row's run state.
struct MethodItemData {
    LONG aaaID;
    LONG nRunState;
};

class CMethodListCtrl : public CListCtrl, public MethodRows {
public:
    CMethodListCtrl() = default;
    ~CMethodListCtrl() override;

    // Shows the group; without a name, closes the table and empties the list. TRUE when the list
    // was rebuilt. A group that cannot be opened leaves the list empty.
    BOOL LoadGroup(LPCWSTR lpszName = nullptr, LONG nGroupId = 0);
    BOOL CloseTable();
    // New rows after the last selected item, or at the end when none is selected.
    BOOL InsertMethods(const std::vector<std::wstring>& names, LONG copies, const std::wstring& methodPath);
    // FALSE when nothing is selected.
    BOOL DeleteSelected();
    // The selected row in the properties dialog; its comment and data file are written back on OK.
    void EditProperties();
    bool HasSingleSelection() const { return GetSelectedCount() == 1; }
    // The list grew (or shrank) by nExtra pixels: the data file and comment columns share them,
    // as their texts are the long ones.
    void WidenColumns(int nExtra);

protected:
    void PreSubclassWindow() override;
    void Refill() override;
    void UpdateRowState(LONG aaaID, LONG state, const wchar_t* message) override;

    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnReturn(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginTrack(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDividerDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    MethodItemData* ItemData(int nItem) const;
    // Each item's row and its focus and selection marks, in the list's order.
    std::vector<std::pair<LONG, UINT>> RowMarks() const;
    // Checked becomes unchecked and back; done and failed become unchecked. The running row only
    // beeps. Replaces the item's whole state, its selection and focus marks included.
    void ToggleRunState(int nItem);

    CImageList m_stateImages;
    std::vector<std::unique_ptr<MethodItemData>> m_itemData;
};
