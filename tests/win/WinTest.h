// The fixture of the window tests: a fresh root on the virtual clock, a log of the messages the
// test's windows saw, and nothing left behind (windows, queue, hooks, beeps) for the next test.
#pragma once

#include "TestResources.h"
#include "support/ScriptedInput.h"
#include "support/TempRoot.h"
#include "win/Windows.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

class WinTest : public testing::Test {
public:
    // "WM_COMMAND 1 BN_CLICKED" and the like, in the order they happened.
    static std::vector<std::string>& log();
    // Adds a line for the messages tests compare; names the window by its text.
    static void record(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void SetUp() override;
    void TearDown() override;
    // A top-level or child window of the class "RecordingWindow", whose procedure records; idOrMenu
    // is a child's control id or a top-level window's menu.
    static HWND createRecordingWindow(LPCWSTR title, DWORD style, HWND parent = nullptr, UINT_PTR idOrMenu = 0);
    // A window of a class the first call registers with procedure.
    static HWND createWindowOfClass(LPCWSTR className, WNDPROC procedure, LPCWSTR title, DWORD style, int width, int height,
                                    HWND parent = nullptr, HMENU menu = nullptr);

    TempRoot m_root;
};
