// What the module's tests share: a fresh host with its real host window and logbook, the module's
// application object and commands driven through OOCPSRV as the host drives them, and a scripted
// user whose watchdog fails a test whose loop waits for input it never gets.
#pragma once

#include "host/HostWindow.h"
#include "host/Logbook.h"
#include "support/ScriptedInput.h"
#include "support/TempRoot.h"
#include "win/Automation.h"
#include "win/afx/AFX_MODULE_STATE.h"

#include "orvane/CXRCpDlcApp.h"
#include "orvane/CXRRegCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Begins every test with the host's framework libraries as a new host has them.
struct FreshOrvane {
    FreshOrvane();
};

class ModuleTest : public testing::Test {
protected:
    static constexpr LONG kTaskId = 7;
    static constexpr const wchar_t* kViewerTitle = L"Run Serion Methods";

    ModuleTest();
    ~ModuleTest() override;

    // One OOCPSRV event in the module's framework state, as the module's entry makes it.
    SHORT Send(WORD event, LONG first = 0, LONG second = 0, void* data = nullptr);
    // Runs a registered command with the arguments; the OOCPSRV status.
    SHORT Execute(int commandId, std::vector<std::wstring> arguments = {});
    // The command lines queued with the host and not yet run.
    std::vector<std::wstring> QueuedLines() const;
    // The texts of the host's logbook entries, in order.
    std::vector<std::wstring> LogbookTexts() const;
    HWND Viewer() const { return Automation::findWindow(kViewerTitle); }

    TempRoot m_root;
    FreshOrvane m_orvane;
    ScriptedInput m_user;
    Logbook m_logbook;
    HCPCONTEXT m_context;
    HostWindow m_hostWindow;
    AFX_MODULE_STATE m_moduleState;
    CXRCpDlcApp m_app;
    CXRRegCommand m_fiaRunner;
    CXRRegCommand m_fiaControl;
};

// The command line MenuState queues with the host, with the host's own menu and item names.
std::wstring MenuStateLine(const std::wstring& state);
