// What a failed row does to its group's run (ONFAILURE_...), and the group's emergency command,
// sent once a run when the policy pauses or stops the run.
#pragma once

#include "worklist/GroupRecord.h"

#include "kernel/WinTypes.h"

#include <string>

class RunHost;

class FailurePolicy {
public:
    // A run starts with the group's policy and command; nothing is sent or owed yet.
    void Read(LONG nOnFailure, std::wstring strEmergencyCommand);
    BOOL GoesOn() const { return m_nOnFailure == ONFAILURE_GO_ON; }
    BOOL Pauses() const { return m_nOnFailure == ONFAILURE_PAUSE; }
    // The command, unless it went already this run or the group has none.
    void SendEmergencyCommand(RunHost& host);
    // The run ends early for a reason the policy answers: the command goes with the group's end,
    // before its shut-down command.
    void Owe() { m_bOwed = TRUE; }
    void SendOwed(RunHost& host);

private:
    LONG m_nOnFailure = ONFAILURE_GO_ON;
    std::wstring m_strEmergencyCommand;
    BOOL m_bSent = FALSE;
    BOOL m_bOwed = FALSE;
};
