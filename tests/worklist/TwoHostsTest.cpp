// Two hosts on one worklist, as two processes, on a file and on a server: adding groups and methods
// at the same moments, many times, every group and every row keeps an id of its own; a group that
// one host runs cannot be changed or deleted by the other, which is told why and, from a server,
// on which instrument it runs.
#include "WorklistTestRoot.h"

#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/RunClaim.h"
#include "worklist/OleDbErrorText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kAddsEachHost = 15;

// A child process that waits until the parent closes its end of gate, runs work, and ends with
// work's status.
template <class Work>
pid_t StartHost(int gate[2], Work work)
{
    const pid_t child = fork();
    if (child == 0) {
        close(gate[1]);
        char go;
        (void)read(gate[0], &go, 1);
        _exit(work());
    }
    return child;
}

int ExitStatusOf(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The numbers in the first column of sql's rows.
std::vector<long> Column(const char* sql)
{
    std::vector<long> values;
    for (const Texts& row : QueryWorklist(sql))
        values.push_back(std::stol(row.at(0)));
    return values;
}

size_t Distinct(const std::vector<long>& values) { return std::set<long>(values.begin(), values.end()).size(); }

// A new root with one group, added by this host.
class TwoHosts : public testing::TestWithParam<WorklistProvider> {
protected:
    void SetUp() override
    {
        ASSERT_EQ(table.Open(), S_OK);
        ASSERT_EQ(GroupRows(table).Add(kGroup, true, &id), S_OK);
    }

    static constexpr const wchar_t* kGroup = L"Night";
    WorklistTestRoot root{GetParam()};
    CGroupTable table{ModuleSettings};
    LONG id = 0;
};

TEST_P(TwoHosts, AddingGroupsAndMethodsAtOnceNeverShareAnId)
{
    int gate[2];
    ASSERT_EQ(pipe(gate), 0);
    std::vector<pid_t> hosts;
    for (const wchar_t* host : {L"A", L"B"})
        hosts.push_back(StartHost(gate, [host] {
            CGroupTable groups(ModuleSettings);
            MethodRows rows(ModuleSettings);
            if (FAILED(groups.Open()) || FAILED(rows.LoadGroup(kGroup)))
                return 2;
            for (int n = 0; n < kAddsEachHost; ++n) {
                LONG added = 0;
                if (FAILED(GroupRows(groups).Add(host + std::to_wstring(n), false, &added)))
                    return 3;
                rows.InsertMethods({L"Nitrate"}, 1, L"C:\\Methods\\", n);
            }
            return 0;
        }));
    close(gate[0]);
    close(gate[1]);
    for (pid_t host : hosts)
        EXPECT_EQ(ExitStatusOf(host), 0);

    const auto groupIds = Column("SELECT GroupID FROM group_tbl");
    EXPECT_EQ(groupIds.size(), 1u + 2 * kAddsEachHost);
    EXPECT_EQ(Distinct(groupIds), groupIds.size()) << "two groups with one id";
    const auto rowIds = Column("SELECT aaaID FROM Night ORDER BY aaaID");
    ASSERT_EQ(rowIds.size(), 2u * kAddsEachHost);
    EXPECT_EQ(Distinct(rowIds), rowIds.size()) << "two rows with one aaaID";
    EXPECT_EQ(rowIds.back(), 2 * kAddsEachHost - 1) << "the rows are numbered 0, 1, 2, ...";
}

TEST_P(TwoHosts, AGroupThatAnotherHostRunsIsNeitherChangedNorDeletedHere)
{
    MethodRows rows(ModuleSettings);
    ASSERT_EQ(rows.LoadGroup(kGroup, id), S_OK);
    rows.InsertMethods({L"Nitrate"}, 2, L"C:\\Methods\\", 0);

    // The other host holds the run's claim until the parent lets it go.
    int claimed[2];
    int gate[2];
    ASSERT_EQ(pipe(claimed), 0);
    ASSERT_EQ(pipe(gate), 0);
    const pid_t other = fork();
    if (other == 0) {
        close(gate[1]);
        ModuleSettings.strInstName = L"Bench 2";
        RunClaim claim(ModuleSettings);
        const char taken = claim.Take(id) ? 'y' : 'n';
        (void)write(claimed[1], &taken, 1);
        char go;
        (void)read(gate[0], &go, 1);
        // Its run ends: a host that vanished instead would keep the group for the recovery period.
        claim.Release();
        _exit(0);
    }
    char taken = 0;
    ASSERT_EQ(read(claimed[0], &taken, 1), 1);
    ASSERT_EQ(taken, 'y');

    const std::wstring expected = GetParam() == WorklistProvider::File
                                      ? L"Another Orvane runs group Night now. It cannot be changed or deleted here "
                                        L"until that run has ended."
                                      : L"Instrument Bench 2 runs group Night now. It cannot be changed or deleted "
                                        L"here until that run has ended.";
    EXPECT_EQ(OleDbErrorText(rows.InsertMethods({L"Nitrate"}, 1, L"C:\\Methods\\", 0)), expected);
    EXPECT_EQ(OleDbErrorText(rows.SetAllRunStates(FALSE)), expected);
    EXPECT_EQ(OleDbErrorText(rows.EditableHere()), expected) << "a delete is refused the same way";
    EXPECT_EQ(Column("SELECT count(*) FROM Night WHERE \"Run State\" = 1"),
              std::vector<long>{2}) << "the rows stay as they were";

    close(gate[1]);
    EXPECT_EQ(ExitStatusOf(other), 0);
    EXPECT_EQ(rows.EditableHere(), S_OK) << "once that run has ended";
    rows.InsertMethods({L"Nitrate"}, 1, L"C:\\Methods\\", 0);
    EXPECT_EQ(Column("SELECT count(*) FROM Night"), std::vector<long>{3});
}

// A claim on the server outlives a lost connection: it is taken again with the connection, or,
// when another host took it meanwhile, its loss is a database error with its reason.
TEST(ServerRunClaim, ALostConnectionTakesTheClaimAgainOrSaysThatAnotherHostHasIt)
{
    WorklistTestRoot root{WorklistProvider::Server};
    constexpr LONG kGroupId = 7;
    ModuleSettings.strInstName = L"Bench 1";
    RunClaim claim(ModuleSettings);
    ASSERT_TRUE(claim.Take(kGroupId));
    PgServer::EndSessions(ModuleSettings.strDatabasePath);
    EXPECT_EQ(claim.Check(), S_OK);
    EXPECT_EQ(RunClaim::RunningOn(ModuleSettings, kGroupId), L"Bench 1");

    PgServer::EndSessions(ModuleSettings.strDatabasePath);
    ModuleSettings.strInstName = L"Bench 2";
    RunClaim otherHost(ModuleSettings);
    EXPECT_FALSE(otherHost.Take(kGroupId)) << "the first host's heartbeat keeps it within the recovery period";
    ModuleSettings.nRecoverySeconds = 0;
    ASSERT_TRUE(otherHost.Take(kGroupId)) << "free past it while the first host's connection is gone";
    const HRESULT lost = claim.Check();
    EXPECT_TRUE(FAILED(lost));
    EXPECT_THAT(OleDbErrorText(lost), testing::HasSubstr(L"meanwhile another Orvane took the lock"));
    EXPECT_EQ(RunClaim::RunningOn(ModuleSettings, kGroupId), L"Bench 2");
}

INSTANTIATE_TEST_SUITE_P(Worklist, TwoHosts, testing::Values(WorklistProvider::File, WorklistProvider::Server),
                         testing::PrintToStringParamName());

} // namespace
