// What the framework tests share: the test dialogs' templates, a module state of the test program,
// scripted user input and a watchdog, so that a modal loop waiting for input fails the test.
#pragma once

#include "kernel/Clock.h"
#include "kernel/Resources.h"
#include "support/TempRoot.h"
#include "win/Automation.h"
#include "win/afx/AFX_MAINTAIN_STATE.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

// Resource ids of the test program.
constexpr UINT IDD_FIELDS = 100;   // "Fields": the data exchange dialog
constexpr UINT IDD_HOST = 200;     // "Host": a top-level window standing for the host's
constexpr UINT IDD_VIEWER = 300;   // "Viewer": a modeless window with a menu
constexpr UINT IDR_VIEWER_MENU = 400;
constexpr UINT IDS_QUESTION = 500;
constexpr UINT IDS_MISSING = 501;

constexpr int IDC_NAME = 101;      // edit, at most 5 characters
constexpr int IDC_COUNT = 102;     // edit, an integer from 1 to 99
constexpr int IDC_SMALL = 103;     // radio group: small, medium, large
constexpr int IDC_MEDIUM = 104;
constexpr int IDC_LARGE = 105;
constexpr int IDC_URGENT = 106;    // check box
constexpr int IDC_FRUIT = 107;     // sorted drop-down list
constexpr int IDC_SIZE = 108;      // drop-down combo with an edit field
constexpr int IDC_NOTE = 109;      // edit bound to a member
constexpr int IDC_APPLY = 110;     // push button
constexpr int IDC_SPIN = 111;      // up-down control

constexpr UINT ID_VIEW_FIRST = 120;
constexpr UINT ID_VIEW_LAST = 125;

inline constexpr wchar_t kAppName[] = L"AfxTest";

// Announces the test program's resources and returns its handle.
HINSTANCE TestResourceHandle();

// User actions that the loops run one at a time whenever they have nothing else to do.
class ScriptedInput : public InputSource {
public:
    ScriptedInput();
    ~ScriptedInput() override;

    ScriptedInput& then(std::function<void()> action);
    bool finished() const { return m_actions.empty(); }

    bool runNextAction() override;
    void waitForInput(int timeoutMs) override;
    void reportStall(HWND window, const std::wstring& snapshot) override;

private:
    std::deque<std::function<void()>> m_actions;
    InputSource* m_previous;
};

// A fresh root, the test program's module state in force and a watchdog on virtual time.
class AfxTest : public ::testing::Test {
protected:
    AfxTest();
    ~AfxTest() override;

    AFX_MODULE_STATE m_moduleState;
    ScriptedInput m_input;

private:
    TempRoot m_root;
    AFX_MAINTAIN_STATE m_stateInForce;
    Clock::TimerId m_watchdog;
};

// The visible top-level window with this title; fails the test when there is none.
HWND WindowTitled(const std::wstring& title);
HWND DialogItem(const std::wstring& dialogTitle, int id);
std::wstring TextOf(HWND hWnd);
// The message box shown now: its text as the snapshot shows it, and then closed with OK.
std::wstring AcknowledgeMessageBox();
// Fails the step when the action could not be done as a user would.
void Expect(const ActionResult& result);
