// What a group's run shows, and where it shows it: the status pane, the run's buttons and
// commands, messages and questions, the groups listed and the one shown. The main window is one;
// a test's fake is another.
#pragma once

#include "worklist/GroupRows.h"

#include "kernel/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

class RunView {
public:
    virtual ~RunView() = default;

    // The status pane's message, in its forms from the longest (for a narrow window, the shorter).
    virtual void ShowStatus(std::vector<std::wstring> forms) = 0;
    virtual void ShowStatusId(UINT nID) = 0;
    // The run's state changed: its buttons, the commands and the rows follow it.
    virtual void ShowRunState() = 0;
    // A message about the run, with the module's caption; the user's answer.
    virtual int ShowRunMessage(const std::wstring& strText, UINT nType) = 0;
    // A question before a run starts; the user's answer.
    virtual int Ask(const std::wstring& strQuestion, UINT nType) = 0;
    // Shows group nGroupId, which hands the run that group; FALSE when it is not listed.
    virtual BOOL ShowGroup(LONG nGroupId) = 0;
    virtual std::vector<GroupEntry> ListedGroups() const = 0;
    // How many shown rows are in run state nState, as shown: the rows' cursor does not move.
    virtual int CountShown(LONG nState) const = 0;
    // When the run will end by the progress's estimate (seconds since 1970); 0 when unknown.
    virtual std::int64_t ExpectedEnd() const = 0;
    // What the worklist's done rows tell of each method's duration, before a run clears them.
    virtual void ReadMethodDurations() = 0;
    // Calls back OnStartRan(nRow) once the host has run the command lines of row nRow's start.
    virtual void PostStartRan(LONG nRow) = 0;
    // Calls back OnRunClosed once the host has run the group's shut-down command.
    virtual void PostRunClosed() = 0;
    // While on, OnSaveRetry is called every SaveRetry::kIntervalMs.
    virtual void SetSaveRetryTimer(BOOL bOn) = 0;
    // While on, OnClaimTimer is called every RunClaim::kRenewMs.
    virtual void SetClaimTimer(BOOL bOn) = 0;
};
