// What the module's tests share: the host with the module started in it, its commands run as the
// host runs them, and a scripted user whose watchdog fails a test whose loop waits for input it
// never gets.
#pragma once

#include "support/ModuleHost.h"
#include "support/ScriptedInput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

class ModuleTest : public testing::Test, public ModuleHost {
protected:
    ModuleTest();

    // Runs a registered command with the arguments, which must succeed; the OOCPSRV status.
    SHORT Execute(int commandId, std::vector<std::wstring> arguments = {});

    ScriptedInput m_user;
};

// The command line MenuState queues with the host, with the host's own menu and item names.
std::wstring MenuStateLine(const std::wstring& state);
