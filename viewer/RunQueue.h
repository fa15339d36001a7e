// A queue of groups run one after another: its id (its first group's) and the claims of its
// groups that have not run yet, so that no other host runs or changes them meanwhile.
#pragma once

#include "kernel/WinTypes.h"

#include <set>

class RunHost;

class RunQueue {
public:
    explicit RunQueue(RunHost& host) : m_host(host) {}
    ~RunQueue() { End(); }
    RunQueue(const RunQueue&) = delete;
    RunQueue& operator=(const RunQueue&) = delete;

    BOOL IsActive() const { return m_nId != 0; }
    LONG Id() const { return m_nId; }
    // The queue's claims are taken: its first group runs.
    void Begin(LONG nId) { m_nId = nId; }
    // Claims a group that the queue runs later; FALSE when another host has it.
    BOOL Claim(LONG nGroupId);
    // The heartbeats of the claims are renewed with the running group's, so that a restarted
    // server keeps the groups still to come this queue's for the recovery period too.
    void Renew();
    // The group's own run holds its claim from now on.
    void HandOver(LONG nGroupId);
    // Without a queue any more: every claim it still holds goes.
    void End();

private:
    RunHost& m_host;
    LONG m_nId = 0;
    std::set<LONG> m_claims;
};
