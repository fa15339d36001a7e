// The host as the module's tests and benchmarks start it: a fresh root with the worklist an
// installation delivers, the real host window and logbook, host handles and variables as Orvane
// supplies them, and the module's application object and commands driven through OOCPSRV.
#pragma once

#include "TempRoot.h"

#include "host/HostWindow.h"
#include "host/Logbook.h"
#include "win/afx/AFX_MODULE_STATE.h"

#include "orvane/CXRCpDlcApp.h"
#include "orvane/CXRRegCommand.h"

#include <string>
#include <vector>

// Begins with the host's framework libraries as a new host has them.
struct FreshOrvane {
    FreshOrvane();
};

class ModuleHost {
public:
    static constexpr LONG kTaskId = 7;
    static constexpr const wchar_t* kViewerTitle = L"Run Serion Methods";

    ModuleHost();
    ~ModuleHost();
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;

    // Empty when the worklist was installed and the module started; otherwise what failed.
    const std::string& startFailure() const { return m_startFailure; }

    // One OOCPSRV event in the module's framework state, as the module's entry makes it.
    SHORT Send(WORD event, LONG first = 0, LONG second = 0, void* data = nullptr);
    // Runs a registered command with the arguments: the OOCPSRV status, and in result the command's own.
    SHORT RunCommand(int commandId, std::vector<std::wstring> arguments, int& result);
    // The command lines queued with the host and not yet run.
    std::vector<std::wstring> QueuedLines() const;
    // The texts of the host's logbook entries, in order.
    std::vector<std::wstring> LogbookTexts() const;
    HWND Viewer() const;

    // The host's loop for the given time: posted messages, queued command lines and the
    // instrument's timers, on the virtual clock.
    void RunHost(double seconds);
    // The worklist that FIARUNNER opens, named beforehand so that rows and accounts can be stored
    // before the first command.
    void UseDeliveredWorklist();
    // A method in the host's method directory whose run the instrument simulates as simulation says.
    void AddMethod(const std::string& name, const std::string& simulation);
    // A group (Nitrates unless named) with a checked row for each method, its data files named
    // after it into sub-folder Run1 of the host's data folder for operator Ann; empty when made,
    // otherwise what failed.
    std::string AddRunGroup(const std::vector<std::wstring>& methods, const std::wstring& group = L"Nitrates");

protected:
    TempRoot m_root;
    FreshOrvane m_orvane;
    Logbook m_logbook;
    HCPCONTEXT m_context;
    HostWindow m_hostWindow;
    AFX_MODULE_STATE m_moduleState;
    CXRCpDlcApp m_app;
    CXRRegCommand m_fiaRunner;
    CXRRegCommand m_fiaControl;

private:
    std::string m_startFailure;
};
