// What the tests of logon, accounts and lock share: the accounts as the database holds them, and a
// user who answers the logon dialog and message boxes.
#pragma once

#include "ModuleTestSupport.h"

#include "worklist/UserRecord.h"

#include <functional>
#include <string>
#include <vector>

class UserTest : public ModuleTest {
protected:
    UserTest();

    // Every row of user_tbl, in table order.
    std::vector<UserRecord> StoredAccounts() const;
    // Adds a row as an installation or an earlier session left it.
    void StoreAccount(LONG id, const std::wstring& name, const std::wstring& password, LONG role);

    // Queues the user's action on the window titled title; the test fails when none is shown.
    void InWindow(const std::wstring& title, std::function<void(HWND)> action);
    // Queues the user's answer to the logon dialog: the name and password typed, then OK.
    void LogOnAs(const std::wstring& name, const std::wstring& password);
    // FIARUNNER CONTROL with that answer: the window open with access control on.
    void OpenWithAccessControlAs(const std::wstring& name, const std::wstring& password);
};
