// The module's main window "Run Serion Methods": a modeless dialog that the host's FIARUNNER
// command opens, with the group and shut-down boxes, the run buttons and the module's menu.
#pragma once

#include "CMethodListCtrl.h"
#include "CSRStatusBar.h"
#include "CSRToolBar.h"

#include "dialogs/CDialogBase.h"
#include "hotlink/CBspDataHotlink.h"
#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"

#include "win/Accelerators.h"
#include "win/afx/CComboBox.h"

class CDialogMainViewer : public CDialogBase {
public:
    explicit CDialogMainViewer(CWnd* pParent = nullptr);
    ~CDialogMainViewer() override;

    // Also removes the keyboard routing when it is installed.
    BOOL DestroyWindow() override;
    // Enables the menu commands that the window's state allows.
    void UpdateCommandState();
    // The shortcuts of table 303 for keys pressed in the window.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    CMethodListCtrl m_listMethods;
    CComboBox m_comboShutdown;
    CComboBox m_comboGroup;
    BOOL m_bRunning = FALSE;

protected:
    BOOL OnInitDialog() override;
    // Offers every message to the tool-tip relay first, so that tips work inside the host's loop.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Close, Escape and the close box: logs the closing, gives the host its menu entry back and
    // hides the window. The object stays until the next FIARUNNER replaces it.
    void OnCancel() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // Asks for a name and creates the group: its method table, then its row and its entry.
    void OnAddGroup();
    // After a Yes: the group's row, its entry and then its method table go.
    void OnDeleteGroup();
    // Names the data files of every row from the values of the row with "aaaID" 0.
    void OnAutoName();
    // Rows for the methods chosen from the host's method directory, after the selected row.
    void OnAddMethod();
    void OnDeleteMethod();
    // Shows the group selected in the group box, with its shut-down option.
    void OnGroupChanged();
    // Stores the chosen or typed shut-down command with the selected group.
    void OnShutdownChanged();
    void OnProperties();
    void OnCheckAll();
    void OnUncheckAll();
    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHelp();
    // Hides the viewer behind the lock dialog; a run goes on meanwhile.
    void OnLock();
    // The account list, for an administrator while access control is on.
    void OnUserAccounts();

    // The tip of a tool bar button: the second line of its command's prompt.
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // A host variable changed (lParam: its name, held by the hotlink window).
    LRESULT OnVarBSPEvent(WPARAM wParam, LPARAM lParam);
    // A host object changed (wParam: the change code, lParam: the object's name).
    LRESULT OnModuleMessage(WPARAM wParam, LPARAM lParam);

    // The run of the shown group; see CDialogMainViewerRun.cpp.
    void OnRun();
    void OnPause();
    void OnStop();
    // Nonzero when a method was started.
    BOOL StartRun();
    // Nonzero when a method was started or the start waits for Run; 0 when no row is left to run.
    BOOL StartNextMethod();
    // Nonzero when this row or a later one was started.
    BOOL StartMethod(MethodRecord* pRow);
    // Nonzero when _DATAPATH$ followed by the sub-folder exists afterwards.
    BOOL CreateDataSubFolder(LPCWSTR lpszSubFolder);
    void UpdateRunButtons();
    // Offers to delete the data that the run would write anew; nonzero when the run may start.
    BOOL PreRunCheck();
    void OnCompleteMethod(const std::wstring& strMessage, BOOL bFailed);
    void OnCompleteGroup();
    // Sends the shut-down option (the combo's text when lpszCommand is null) and the closing hook.
    void RunPostGroup(LPCWSTR lpszCommand = nullptr);

    DECLARE_MESSAGE_MAP()

private:
    // Hidden child that turns host variable changes into posted messages.
    CBspDataHotlink m_hotlink;
    CSRToolBar m_toolBar;
    CSRStatusBar m_statusBar;
    // The last value read of ACQSTATUS$; chooses the Stop command.
    std::wstring m_strAcqStatus;
    HACCEL m_hAccelerators = nullptr;
    BOOL m_bPaused = FALSE;
    BOOL m_bStopped = FALSE;
    // A method ended while paused: Run starts the next one.
    BOOL m_bNextReady = FALSE;
    LONG m_nCurrentKey = 0;
    // The method table's row buffer, on the row started last; null until the first start.
    MethodRecord* m_pCurrentRow = nullptr;
    // The host messages of the running method, each once and each ending in CR LF.
    std::wstring m_strRunMessages;

    void EnableCommand(CMenu* pMenu, UINT nID, BOOL bEnable);
    // Opens the group table and lists its groups in the group box; FALSE when there is none.
    BOOL LoadGroups();
    // The shut-down options with text selected, added when no option begins with it.
    void FillShutdownCombo(LPCWSTR lpszText);
    // The shut-down options with the stored one of group nGroupId selected.
    void FillShutdownComboOf(LONG nGroupId);
    // The combo's selected index (-1 for none) and its text.
    int GetCurrentGroup(std::wstring& strName) const;
    // The group id kept with the group box's entry nIndex.
    LONG GroupIdOf(int nIndex) const;
    // The names and ids in the group box.
    std::vector<GroupEntry> ListedGroups() const;
    int ShowMessage(LPCWSTR lpszText, UINT nType);
    int ShowMessageId(UINT nID, UINT nType);
    // The window takes the whole screen, never less than its template: the buttons keep to the
    // bottom, the method list takes the rows and columns the template does not use.
    void FitToScreen();
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);

    // The window's size as its template makes it, before it is fitted to the screen.
    SIZE m_sizeTemplate{};

    CGroupTable m_groupTable;
};
