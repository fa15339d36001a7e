// What the framework tests share: the test dialogs' templates, a module state of the test program
// and a scripted user.
#pragma once

#include "kernel/Resources.h"
#include "support/ScriptedInput.h"
#include "support/TempRoot.h"
#include "win/Automation.h"
#include "win/afx/AFX_MAINTAIN_STATE.h"

#include <gtest/gtest.h>

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

// A fresh root, the test program's module state in force and a scripted user.
class AfxTest : public ::testing::Test {
protected:
    AfxTest();

    // In this order: the root sets the virtual clock that the script's watchdog runs on.
    TempRoot m_root;
    AFX_MODULE_STATE m_moduleState;
    AFX_MAINTAIN_STATE m_stateInForce;
    ScriptedInput m_input;
};

// The visible top-level window with this title; fails the test when there is none.
HWND WindowTitled(const std::wstring& title);
std::wstring TextOf(HWND hWnd);
// The message box shown now: its text as the snapshot shows it, and then closed with OK.
std::wstring AcknowledgeMessageBox();
