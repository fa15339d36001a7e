// The method list of the main window: the shown group's rows in "aaaID" order, each row's run
// state as its state image (which doubles as its check box) and colour, method name, data file
// and comments as columns. It observes the group's rows, which the window holds, and edits them;
// a click on a state image checks or unchecks the row, a double click opens its properties.
#pragma once

#include "RunProgress.h"

#include "worklist/MethodRows.h"
#include "worklist/RowsObserver.h"

#include "win/afx/CImageList.h"
#include "win/afx/CListCtrl.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// What each list item carries as its parameter: its row, that row's run state and its times.
struct MethodItemData {
    LONG aaaID;
    LONG nRunState;
    LONG nStartTime;
    LONG nEndTime;
};

class CMethodListCtrl : public CListCtrl, public RowsObserver {
public:
    explicit CMethodListCtrl(MethodRows& rows);
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
    // The list grew (or shrank) by nExtra pixels: they show the columns of the rows' runs first,
    // and the data file and comment columns share the rest, as their texts are the long ones.
    void WidenColumns(int nExtra);
    // The rows as a run finds them, for its progress.
    std::vector<RunProgress::Row> ProgressRows() const;
    // The row of item nItem with its state and times, as the item shows them; aaaID -1 for none.
    RunProgress::Row ItemRow(int nItem) const;
    // How many items show run state state, without walking the list.
    int CountInState(LONG state) const;
    // Counts the rebuilds of the list: a run's progress that began with another count begins anew.
    int RefillCount() const { return m_nRefills; }
    // The duration column of the running row aaaID, as long as it has run at time now.
    void ShowRunningTime(LONG aaaID, LONG now);
    // While a run goes on, the rows it has started or ended keep the texts their start sent; the
    // rows still to come may change, and their start sends the new texts.
    void SetRunGoesOn(BOOL bRunGoesOn) { m_bRunGoesOn = bRunGoesOn; }

    void Refill() override;
    void UpdateRowState(LONG aaaID, LONG state, const wchar_t* message,
                        const std::vector<ResultRecord>& results) override;

protected:
    void PreSubclassWindow() override;

    void OnDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnKeyDown(NMHDR* pNMHDR, LRESULT* pResult);
    void OnReturn(NMHDR* pNMHDR, LRESULT* pResult);
    void OnBeginTrack(NMHDR* pNMHDR, LRESULT* pResult);
    void OnDividerDoubleClick(NMHDR* pNMHDR, LRESULT* pResult);
    void OnCustomDraw(NMHDR* pNMHDR, LRESULT* pResult);
    // The QC column's tip says why its row is flagged.
    void OnGetInfoTip(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    MethodItemData* ItemData(int nItem) const;
    // Each item's row and its focus and selection marks, in the list's order.
    std::vector<std::pair<LONG, UINT>> RowMarks() const;
    // Checked becomes unchecked and back; done and failed become unchecked. The running row only
    // beeps. Replaces the item's whole state, its selection and focus marks included.
    void ToggleRunState(int nItem);
    // The item's run state, counted by state; its state image is the caller's.
    void SetItemRunState(MethodItemData& data, LONG state);
    // The item showing the row with "aaaID" aaaID, or -1.
    int ItemOfRow(LONG aaaID) const;
    // The Start, End, Duration and Result columns of item nItem, whose data holds the row's times.
    void ShowRunColumns(int nItem, const wchar_t* message, LONG now);
    bool StartedInRun(const MethodRecord& row) const;
    // Item nItem's row as far as its results need it: its id, state, end and data file.
    MethodRecord ItemRecord(int nItem) const;
    // The QC column: each ended row's flag as its last end's results give it.
    void ShowQc();
    // Why item nItem is flagged: each rule its results broke, with the value and the limit, or the
    // failed check after it that made it suspect; a line for each.
    std::wstring QcTip(int nItem) const;

    MethodRows& m_rows;
    BOOL m_bRunGoesOn = FALSE;
    CImageList m_stateImages;
    std::vector<std::unique_ptr<MethodItemData>> m_itemData;
    int m_nRefills = 0;
    // How many items are in each run state.
    std::map<LONG, int> m_itemsInState;
    // How much wider than its template the list is.
    int m_nExtraWidth = 0;
};
