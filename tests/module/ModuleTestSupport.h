// What the module's tests share: the host with the module started in it, its commands run as the
// host runs them, and a scripted user whose watchdog fails a test whose loop waits for input it
// never gets.
#pragma once

#include "support/ModuleHost.h"
#include "support/ScriptedInput.h"
#include "worklist/MethodRecord.h"

#include "win/ListViewInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ModuleTest : public testing::Test, public ModuleHost {
protected:
    ModuleTest();

    // Runs a registered command with the arguments, which must succeed; the OOCPSRV status.
    SHORT Execute(int commandId, std::vector<std::wstring> arguments = {});
    // Queues reading the message box "Serion" into texts and closing it with the button.
    void AnswerMessage(std::vector<std::wstring>& texts, int button = IDOK);
    // The window open on a new group (Nitrates unless named) with a checked row for each method.
    void OpenWithGroup(const std::vector<std::wstring>& methods, const std::wstring& group = L"Nitrates");

    ScriptedInput m_user;
};

// The text of a message box: what its snapshot shows between the title and the buttons.
std::wstring MessageText(HWND box);
// Whether the window's menu offers the command, in the bar or in one of its pop-ups.
bool CommandEnabled(HWND window, UINT command);

// The main window's method list as the user sees it.
ListViewInfo MethodsShown(HWND viewer);

// The method rows of a group as its table holds them, in row id order.
std::vector<MethodRecord> StoredRows(const std::wstring& group);
// The run states of those rows.
std::vector<LONG> StoredStates(const std::wstring& group = L"Nitrates");

// The command line MenuState queues with the host, with the host's own menu and item names.
std::wstring MenuStateLine(const std::wstring& state);
