// A process killed at random moments while it inserts, deletes and autonames rows leaves its group
// whole: the file is intact, "aaaID" runs 0..n-1, every data file name fits its row, and the group
// is as it was before the interrupted edit or as it is after it, in a file and on a server. One killed while it adds groups
// leaves each group with its table and its row, or neither. SERION_CRASH_KILLS sets how many
// kills (24 by default; 100 for a longer run by hand).
#include "WorklistTestRoot.h"

#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"

#include "kernel/WinFormat.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <cstdlib>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the child tells the parent before each edit: the group's row count now and after the edit.
struct Announcement {
    LONG before;
    LONG after;
};

LONG rowCount(CMethodTable& table)
{
    LONG count = 0;
    for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
        ++count;
    return count;
}

// Random edits of group G for ever, each announced before it starts.
[[noreturn]] void editUntilKilled(unsigned seed, int announcements)
{
    std::mt19937 random(seed);
    auto below = [&random](LONG bound) { return static_cast<LONG>(random() % static_cast<unsigned>(bound)); };
    MethodRows rows(ModuleSettings);
    if (FAILED(rows.LoadGroup(L"G")))
        _exit(2);
    for (;;) {
        const LONG count = rowCount(*rows.Table());
        const LONG kind = count < 10 ? 0 : count > 60 ? 1 : below(3);
        std::vector<std::wstring> names;
        LONG copies = 1;
        std::set<LONG> selected;
        if (kind == 0) {
            names.resize(1 + below(2), L"Nitrate");
            copies = 1 + below(3);
        } else if (kind == 1) {
            for (LONG id = 0; id < count; ++id)
                if (below(3) == 0)
                    selected.insert(id);
        }
        const LONG after = count + static_cast<LONG>(names.size()) * copies - static_cast<LONG>(selected.size());
        const Announcement next{count, after};
        if (write(announcements, &next, sizeof next) != sizeof next)
            _exit(3);
        if (kind == 0)
            rows.InsertMethods(names, copies, L"C:\\Methods\\", below(count + 1));
        else if (kind == 1)
            rows.DeleteSelected(selected);
        else
            rows.AutoName(L"Run", below(2) ? L"P" : L"Q", below(1000), nullptr);
        if (!rows.Table())
            _exit(4);
    }
}

// What is wrong with group G, or empty when it is whole: a file must also pass its own check.
std::string brokenParts(const std::filesystem::path& file, const Announcement& edit)
{
    std::string broken;
    if (ModuleSettings.strProvider == kFileProvider) {
        sqlite3* db = nullptr;
        sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_stmt* check = nullptr;
        sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
        if (sqlite3_step(check) != SQLITE_ROW ||
            std::string(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) != "ok")
            broken += "integrity check failed; ";
        sqlite3_finalize(check);
        sqlite3_close(db);
    }
    LONG place = 0;
    for (const Texts& row : QueryWorklist("SELECT aaaID, \"Data File\", Prefix, Counter FROM G ORDER BY aaaID")) {
        const LONG id = std::stol(row[0]);
        if (id != place)
            broken += "row " + std::to_string(place) + " has aaaID " + std::to_string(id) + "; ";
        if (row[1] != FormatWin(L"%s%010d.d", row[2].c_str(), std::stol(row[3]) + id))
            broken += "row " + std::to_string(place) + " has data file " + WideToUtf8(row[1]) + "; ";
        ++place;
    }
    if (place != edit.before && place != edit.after)
        broken += std::to_string(place) + " rows, neither " + std::to_string(edit.before) + " before the edit nor " +
                  std::to_string(edit.after) + " after it; ";
    return broken;
}

int killCount()
{
    const char* asked = std::getenv("SERION_CRASH_KILLS");
    return asked ? std::atoi(asked) : 24;
}

class MethodRowsCrash : public testing::TestWithParam<WorklistProvider> {};

TEST_P(MethodRowsCrash, KillsDuringInsertsDeletesAndAutonamesNeverLeaveABrokenGroup)
{
    WorklistTestRoot root(GetParam());
    ASSERT_EQ(CMethodTable(ModuleSettings).CreateMethodTable(L"G"), S_OK);
    {
        MethodRows rows(ModuleSettings);
        ASSERT_EQ(rows.LoadGroup(L"G"), S_OK);
        rows.InsertMethods(std::vector<std::wstring>(20, L"Nitrate"), 1, L"C:\\Methods\\", 0);
    }
    std::mt19937 random(20261207);
    const int kills = killCount();
    for (int round = 0; round < kills; ++round) {
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        const unsigned seed = random();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(pipeEnds[0]);
            editUntilKilled(seed, pipeEnds[1]);
        }
        close(pipeEnds[1]);
        // Let a few edits pass, then kill at a moment within the next few milliseconds.
        const int editsToPass = 1 + static_cast<int>(random() % 4);
        Announcement last{-1, -1};
        for (int seen = 0; seen < editsToPass && read(pipeEnds[0], &last, sizeof last) == sizeof last;)
            ++seen;
        usleep(random() % 3000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        for (Announcement later; read(pipeEnds[0], &later, sizeof later) == sizeof later;)
            last = later;
        close(pipeEnds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the editing process ended by itself with " << WEXITSTATUS(status);
        ASSERT_GE(last.before, 0) << "the editing process announced no edit";
        EXPECT_EQ(brokenParts(root.databaseFile(), last), "") << "after kill " << round << " (seed " << seed << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Worklist, MethodRowsCrash, testing::Values(WorklistProvider::File, WorklistProvider::Server),
                         testing::PrintToStringParamName());

// The names of the method tables without a group row and of the group rows without a table.
std::string unmatchedGroups(const std::filesystem::path& file)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* unmatched = nullptr;
    sqlite3_prepare_v2(db,
                       "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT IN ('group_tbl', 'user_tbl', 'audit_tbl', 'result_tbl', 'qc_tbl') "
                       "AND name NOT IN (SELECT GroupName FROM group_tbl) UNION ALL SELECT GroupName FROM group_tbl "
                       "WHERE GroupName NOT IN (SELECT name FROM sqlite_master WHERE type = 'table')",
                       -1, &unmatched, nullptr);
    std::string names;
    while (sqlite3_step(unmatched) == SQLITE_ROW)
        names += reinterpret_cast<const char*>(sqlite3_column_text(unmatched, 0)) + std::string(" ");
    sqlite3_finalize(unmatched);
    sqlite3_close(db);
    return names;
}

TEST(GroupAddCrash, KillsDuringAddGroupLeaveNoTableWithoutItsRow)
{
    WorklistTestRoot root;
    std::mt19937 random(20261208);
    const int kills = killCount();
    for (int round = 0; round < kills; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            CGroupTable table(ModuleSettings);
            if (FAILED(table.Open()))
                _exit(2);
            for (int n = 0;; ++n) {
                LONG id = 0;
                GroupRows(table).Add(L"R" + std::to_wstring(round) + L"-" + std::to_wstring(n), false, &id);
            }
        }
        usleep(2000 + random() % 20000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the adding process ended by itself with " << WEXITSTATUS(status);
        EXPECT_EQ(unmatchedGroups(root.databaseFile()), "") << "after kill " << round;
    }
}

} // namespace
