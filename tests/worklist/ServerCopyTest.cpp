// Moving an installation's worklist onto a lab's server: every group and row arrives as it was,
// checked on the way, also over the empty delivered tables that --init-server made, and a server
// that holds a worklist already is never written over.
#include "WorklistTestRoot.h"

#include "DemoWorklist.h"

#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"

#include "support/OrvaneProgram.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The worklist's groups and their rows as the module reads them from where its settings point.
std::wstring worklistAsRead()
{
    std::wstring seen;
    CGroupTable groups(ModuleSettings);
    if (FAILED(groups.Open()))
        return L"<no group table>";
    for (groups.MoveFirst(); groups.HasCurrentRow(); groups.MoveNext()) {
        seen += std::to_wstring(groups.GroupID) + L" " + groups.GroupName + L" " + groups.ShutDownOption + L":\n";
        CMethodTable rows(ModuleSettings);
        if (FAILED(rows.Open(groups.GroupName)))
            return seen + L"<no method table>";
        for (rows.MoveFirst(); rows.HasCurrentRow(); rows.MoveNext())
            seen += std::to_wstring(rows.aaaID) + L" " + rows.MethodName + L" " + rows.DataFile + L" " +
                    std::to_wstring(rows.RunState) + L" " + rows.Comments + L" " + rows.SysMethPath + L"\n";
    }
    return seen;
}

TEST(ServerCopy, TheWorklistArrivesWholeOnAnEmptyServerAndAFullOneIsLeftAlone)
{
    WorklistTestRoot root;
    std::string error;
    ASSERT_TRUE(CreateDemoWorklist(root.databaseFile(), "C:\\Orvane\\Methods\\", error)) << error;
    const std::wstring inFile = worklistAsRead();
    ASSERT_NE(inFile.find(L"Nitrates"), std::wstring::npos);

    // As the lab's setup goes: the delivered tables first, then the copy over them.
    const std::wstring server = PgServer::NewDatabase();
    const std::string init = "--init-server '" + WideToUtf8(server) + "'";
    ASSERT_EQ(runOrvane(init).exitCode, 0);
    const std::string copy = "--root '" + root.path().string() + "' --copy-to-server '" + WideToUtf8(server) + "'";
    const ProgramRun copied = runOrvane(copy);
    EXPECT_EQ(copied.exitCode, 0) << copied.output;
    EXPECT_TRUE(copied.output.starts_with("Copied ")) << copied.output;

    ModuleSettings.strProvider = L"PostgreSQL.1";
    ModuleSettings.strDatabasePath = server;
    EXPECT_EQ(worklistAsRead(), inFile);
    // A row the module adds on the server takes a handle after the copied ones.
    CMethodTable nitrates(ModuleSettings);
    ASSERT_EQ(nitrates.Open(L"Nitrates"), S_OK);
    ASSERT_EQ(nitrates.MoveLast(), S_OK);
    nitrates.aaaID += 1;
    ASSERT_EQ(nitrates.Insert(), S_OK);

    const ProgramRun again = runOrvane(copy);
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.output.find("holds a table \"group_tbl\" already"), std::string::npos) << again.output;
    const ProgramRun initAgain = runOrvane(init);
    EXPECT_EQ(initAgain.exitCode, 0) << "the delivered tables are there already: " << initAgain.output;
    const auto lines = [](const std::wstring& text) { return std::count(text.begin(), text.end(), L'\n'); };
    EXPECT_EQ(lines(worklistAsRead()), lines(inFile) + 1) << "the added row, and nothing lost";
}

} // namespace
