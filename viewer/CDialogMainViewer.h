// The module's main window "Run Serion Methods": a modeless dialog that the host's FIARUNNER
// command opens, with the group and shut-down boxes, the run buttons and the module's menu.
#pragma once

#include "CMethodListCtrl.h"
#include "CSRStatusBar.h"
#include "CSRToolBar.h"
#include "GroupRun.h"
#include "ModuleRunHost.h"
#include "IdleLock.h"
#include "RunView.h"
#include "WorklistRunStore.h"

#include "dialogs/CDialogBase.h"
#include "hotlink/CBspDataHotlink.h"
#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"

#include "win/Accelerators.h"
#include "win/afx/CComboBox.h"

// Posted by the run after a group's shut-down command, which the host runs first.
constexpr UINT WM_RUN_CLOSED = WM_APP + 1;
// Posted behind a method's start: the host has run the start's command lines when it arrives.
constexpr UINT WM_START_RAN = WM_APP + 2;

class CDialogMainViewer : public CDialogBase, public RunView {
public:
    explicit CDialogMainViewer(CWnd* pParent = nullptr);
    ~CDialogMainViewer() override;

    // Also removes the keyboard routing when it is installed.
    BOOL DestroyWindow() override;
    // Enables the menu commands that the window's state allows.
    void UpdateCommandState();
    // The shortcuts of table 303 for keys pressed in the window.
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Continues the interrupted run that the window opened on, asking nothing.
    void ContinueInterruptedRun();
    const GroupRun& GetRun() const { return m_run; }
    const RunProgress& GetRunProgress() const { return m_progress; }
    // When the running group will end by the progress's estimate (seconds since 1970); 0 when no
    // group runs or the time left is unknown.
    std::int64_t ExpectedEnd() const override;
    // What the worklist's done rows tell of each method's duration, read before a run clears the
    // shown group's results.
    void ReadMethodDurations() override;

    // The shown group's rows, and the list that shows them.
    MethodRows m_rows;
    CMethodListCtrl m_listMethods{m_rows};
    CComboBox m_comboShutdown;
    CComboBox m_comboGroup;

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
    // The shown group's QC rules, edited in their window; an edit, as Autoname is: not while the group runs.
    void OnQcRules();
    // Rows for the methods chosen from the host's method directory, after the selected row.
    void OnAddMethod();
    void OnDeleteMethod();
    // Shows the group selected in the group box, with its shut-down option.
    void OnGroupChanged();
    // Stores the chosen or typed shut-down command with the selected group.
    void OnShutdownChanged();
    // Stores the typed command on recovery with the selected group.
    void OnRecoveryChanged();
    // Stores the chosen failure policy and the typed emergency command with the selected group.
    void OnFailurePolicyChanged();
    // Shows the failure policy of the group in m_groupTable, or the default without a group.
    void ShowFailurePolicy(BOOL bFound);
    void OnProperties();
    void OnCheckAll();
    void OnUncheckAll();
    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHelp();
    // Hides the viewer behind the lock dialog; a run goes on meanwhile.
    void OnLock();
    // bAtOnce: locked without waiting for the lock button, as when the host was left idle.
    void LockHost(BOOL bAtOnce);
    // The account list, for an administrator while access control is on.
    void OnUserAccounts();
    // Open to every user at any time, a run going on behind it: reading the trail changes nothing.
    void OnAuditTrail();
    // Open at any time, a run going on behind it: the export only reads the rows.
    void OnExportResults();
    // An edit, as Add Method is: not while the group runs.
    void OnImportWorklist();

    // The tip of a tool bar button: the second line of its command's prompt.
    BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    // A host variable changed (lParam: its name, held by the hotlink window).
    LRESULT OnVarBSPEvent(WPARAM wParam, LPARAM lParam);
    // A host object changed (wParam: the change code, lParam: the object's name).
    LRESULT OnModuleMessage(WPARAM wParam, LPARAM lParam);

    // What the run shows.
    void ShowStatus(std::vector<std::wstring> forms) override;
    void ShowStatusId(UINT nID) override;
    void ShowRunState() override;
    int ShowRunMessage(const std::wstring& strText, UINT nType) override;
    int Ask(const std::wstring& strQuestion, UINT nType) override;
    int CountShown(LONG nState) const override;
    void PostStartRan(LONG nRow) override;
    void PostRunClosed() override;
    void SetSaveRetryTimer(BOOL bOn) override;
    void SetClaimTimer(BOOL bOn) override;
    // The shown group, its name and its shut-down command, as the run is to know them.
    void HandGroupToRun();

    // The buttons of the run, as GroupRun's state allows them.
    void OnRun();
    void OnPause();
    void OnStop();
    void OnContinue();
    void OnStopAfterMethod();
    // Asks for the groups of a queue and their order and runs them.
    void OnRunQueue();
    void UpdateRunButtons();
    LRESULT OnRunClosed(WPARAM wParam, LPARAM lParam);
    LRESULT OnStartRan(WPARAM wParam, LPARAM lParam);
    void OnTimer(UINT_PTR nIDEvent);
    // Once a run has started, the keys go to the method list.
    void KeysToListDuringRun();
    // Reads whether the instrument is online again and enables the buttons of the run after it.
    void FollowOnlineState();
    // While a run goes on, the progress bar and its text show under the list.
    void FollowRunProgress();
    // The progress of the shown rows; rows shown anew are counted anew.
    void ShowRunProgress();
    void BeginRunProgress();

    DECLARE_MESSAGE_MAP()

private:
    // Hidden child that turns host variable changes into posted messages.
    CBspDataHotlink m_hotlink;
    CSRToolBar m_toolBar;
    CSRStatusBar m_statusBar;
    HACCEL m_hAccelerators = nullptr;
    // A worklist that cannot take a run's results runs nothing; the status bar says why.
    BOOL m_bWorklistReadOnly = FALSE;

    void EnableCommand(CMenu* pMenu, UINT nID, BOOL bEnable);
    void SwitchTimer(UINT_PTR nIDEvent, UINT nElapseMs, BOOL bOn);
    // Opens the group table and lists its groups in the group box; FALSE when there is none.
    BOOL LoadGroups();
    // Opens on the first group whose run no live host claims any more, after showing every other
    // such group once, so that each is found and told of; without one, on the first group.
    void ShowFirstGroup();
    // The shut-down options with text selected, added when no option begins with it.
    void FillShutdownCombo(LPCWSTR lpszText);
    // The shut-down options with the stored one of group nGroupId selected.
    void FillShutdownComboOf(LONG nGroupId);
    // The combo's selected index (-1 for none) and its text.
    int GetCurrentGroup(std::wstring& strName) const;
    // The group id kept with the group box's entry nIndex.
    LONG GroupIdOf(int nIndex) const;
    // The names and ids in the group box.
    std::vector<GroupEntry> ListedGroups() const override;
    // Selects group nGroupId in the group box and shows it; FALSE when the box does not list it.
    BOOL ShowGroup(LONG nGroupId) override;
    int ShowMessage(LPCWSTR lpszText, UINT nType);
    int ShowMessageId(UINT nID, UINT nType);
    // The window takes the whole screen, never less than its template: the buttons keep to the
    // bottom, the method list takes the rows and columns the template does not use.
    void FitToScreen();
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);

    // The window's size as its template makes it, before it is fitted to the screen.
    SIZE m_sizeTemplate{};

    // The retry of results that the worklist could not take yet.
    static constexpr UINT_PTR kSaveRetryTimer = 1;
    // Refreshes the progress and the running row's duration while a method runs.
    static constexpr UINT_PTR kProgressTimer = 2;
    // Renews the run's claim on the lab's server while the run runs.
    static constexpr UINT_PTR kClaimTimer = 3;
    RunProgress m_progress;
    BOOL m_bShowingProgress = FALSE;
    BOOL m_bDurationsRead = FALSE;
    // The list's rebuild that the progress began with.
    int m_nProgressRefills = -1;

    CGroupTable m_groupTable;
    IdleLock m_idleLock;
    WorklistRunStore m_runStore{m_groupTable, m_rows};
    ModuleRunHost m_runHost;
    // Last, so that it goes first: its closing record needs the group table and the host.
    GroupRun m_run{*this, m_runStore, m_runHost};
};
