// The task window the framework makes for each task the host creates: the task's id, the data a
// module attaches to it, and the application window that the module's windows belong to.
#pragma once

#include "kernel/WinTypes.h"

class CWnd;

class CXRCpDlcWnd {
public:
    explicit CXRCpDlcWnd(LONG taskId) : m_taskId(taskId) {}

    LONG taskId() const { return m_taskId; }
    // The host's window (host handle 0x4003) as a framework window.
    CWnd* GetCAppWnd() const;
    void* GetTaskSpecific() const { return m_taskSpecific; }
    void SetTaskSpecific(void* data) { m_taskSpecific = data; }

private:
    LONG m_taskId;
    void* m_taskSpecific = nullptr;
};
