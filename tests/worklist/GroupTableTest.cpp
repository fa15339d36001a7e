// Groups as the main window adds, lists and deletes them: ids, names that are refused, names that
// must work although the query language reserves them, and the method table of each group.
#include "WorklistTestRoot.h"

#include "worklist/AuditTrail.h"
#include "worklist/CGroupTable.h"
#include "worklist/CMethodTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/OleDbErrorText.h"
#include "worklist/QcRules.h"

#include "resources/ResourceIds.h"

#include "kernel/Clock.h"
#include "kernel/Text.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// Adds name as the main window does after its name check; the id of the new group, or 0.
LONG addGroup(GroupRows& groups, const std::wstring& name)
{
    const auto listed = groups.List();
    if (!GroupRows::RefusalOf(name, listed).empty())
        return 0;
    LONG id = 0;
    return SUCCEEDED(groups.Add(name, listed.empty(), &id)) ? id : 0;
}

bool methodTableOpens(const std::wstring& name)
{
    CMethodTable table(ModuleSettings);
    return SUCCEEDED(table.Open(name));
}

// A new root with its group table open, in the file and on the server.
class GroupTable : public testing::TestWithParam<WorklistProvider> {
protected:
    void SetUp() override { ASSERT_EQ(table.Open(), S_OK); }

    WorklistTestRoot root{GetParam()};
    CGroupTable table{ModuleSettings};
    GroupRows groups{table};
};

TEST_P(GroupTable, FirstGroupGetsIdTwoEachNextTheLastIdPlusOneItsOwnShutDownOptionAndADeletedOneLosesRowAndTableForGood)
{
    const auto before = Clock::nowMs();
    EXPECT_EQ(addGroup(groups, L"Morning"), 2);
    EXPECT_EQ(Clock::nowMs() - before, 1000) << "a second's pause after the table is created";
    EXPECT_EQ(addGroup(groups, L"Evening"), 3);
    ASSERT_TRUE(groups.FindById(2));
    EXPECT_EQ(std::wstring(table.ShutDownOption), L" ") << "no shut-down command";
    // Each group keeps its own, cut to its field.
    groups.StoreShutDownOption(3, L"LAMPALL OFF");
    groups.StoreShutDownOption(2, std::wstring(60, L'S'));
    {
        CGroupTable reopened(ModuleSettings);
        ASSERT_EQ(reopened.Open(), S_OK);
        ASSERT_TRUE(GroupRows(reopened).FindById(3));
        EXPECT_EQ(std::wstring(reopened.ShutDownOption), L"LAMPALL OFF");
        ASSERT_TRUE(GroupRows(reopened).FindById(2));
        EXPECT_EQ(std::wstring(reopened.ShutDownOption), std::wstring(50, L'S'));
    }

    // A group keeps its QC rules in their order, each change recorded; a rule that cannot be kept
    // refuses the whole edit. A deleted group's rules go with it, as a later group may take its id.
    const std::vector<QcRule> rules = {{QcCheck::Recovery, 90, 110.5, QcAction::Rerun, QcAction::Calibrate, L"Evening"},
                                       {QcCheck::Blank, 0, 0.05, QcAction::Pause, QcAction::None, L""}};
    ASSERT_EQ(QcRules::Write(ModuleSettings, 2, L"Morning", rules), S_OK);
    EXPECT_EQ(QcRules::Write(ModuleSettings, 2, L"Morning", {{QcCheck::R2, 0.999, 0, QcAction::Calibrate, QcAction::None, L""}}), E_INVALIDARG);
    // Each fault is told apart, so that the rules' window names what to mend.
    for (const auto& [rule, fault] : std::initializer_list<std::pair<QcRule, int>>{
             {{QcCheck::Recovery, 110, 90, QcAction::Pause, QcAction::None, L""}, IDS_QC_RECOVERY_RANGE},
             {{QcCheck::R2, 1.5, 0, QcAction::Pause, QcAction::None, L""}, IDS_QC_R2_RANGE},
             {{QcCheck::Rsd, 0, -1, QcAction::Pause, QcAction::None, L""}, IDS_QC_LIMIT_NEGATIVE},
             {{static_cast<QcCheck>(9), 0, 1, QcAction::Pause, QcAction::None, L""}, IDS_QC_UNKNOWN_CHECK},
             {{QcCheck::Blank, 0, 1, QcAction::Rerun, QcAction::None, L""}, IDS_QC_ACTIONS_INCOMPLETE},
             {{QcCheck::Blank, 0, 1, QcAction::Stop, QcAction::None, L"Evening"}, IDS_QC_GROUP_WITHOUT_CALIBRATE}})
        EXPECT_EQ(rule.Fault(), static_cast<unsigned>(fault)) << WideToUtf8(rule.Text());
    std::vector<QcRule> stored;
    ASSERT_EQ(QcRules::Read(ModuleSettings, 2, stored), S_OK);
    EXPECT_EQ(stored, rules);
    std::vector<AuditRecord> records;
    ASSERT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
    EXPECT_STREQ(records.back().NewValue, L"blank above 0.05: pause");
    EXPECT_STREQ(records[records.size() - 2].NewValue, L"recovery outside 90-110.5 %: rerun, then calibrate with Evening");

    // The next id follows the last row, whatever the others hold.
    EXPECT_TRUE(groups.DeleteRow(2, L"Morning"));
    ASSERT_EQ(QcRules::Read(ModuleSettings, 2, stored), S_OK);
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(CMethodTable(ModuleSettings).DropMethodTable(L"Morning"), S_OK);
    EXPECT_EQ(addGroup(groups, L"Night"), 4);
    const auto listed = groups.List();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1].name, L"Night");

    // A row goes only by its id and its name; a table that is gone is shown.
    EXPECT_FALSE(groups.DeleteRow(77, L"Night"));
    EXPECT_FALSE(groups.DeleteRow(4, L"Evening")) << "the id of another group";
    EXPECT_EQ(CMethodTable(ModuleSettings).DropMethodTable(L"Morning"), DB_E_NOTABLE);
    CGroupTable reopened(ModuleSettings);
    ASSERT_EQ(reopened.Open(), S_OK);
    EXPECT_EQ(GroupRows(reopened).List().size(), 2u);
    EXPECT_EQ(OleDbErrorText(CMethodTable(ModuleSettings).Open(L"Morning")),
              L"The database engine cannot find the input table or query 'Morning'. Make sure it exists and that "
              L"its name is spelled correctly.");
}

TEST_P(GroupTable, OnlyCaseBlindDuplicatesAndNamesNoFileCanStartWithAreRefused)
{
    const Texts names = {L"Night Shift", L"SELECT", L"order by", L"it's", L"group_tbl 2", L"x; DROP TABLE group_tbl",
                         L"Ölprobe 5%", L"[Lab 2]", std::wstring(50, L'x')};
    LONG id = 2;
    for (const std::wstring& name : names) {
        EXPECT_EQ(addGroup(groups, name), id++) << WideToUtf8(name);
        EXPECT_TRUE(methodTableOpens(name)) << WideToUtf8(name);
    }
    const auto listed = groups.List();
    Texts listedNames;
    for (const GroupEntry& group : listed)
        listedNames.push_back(group.name);
    EXPECT_EQ(listedNames, names);

    EXPECT_EQ(GroupRows::RefusalOf(L"night SHIFT", listed), L"There is another group with the same name");
    for (const std::wstring& bad : {std::wstring(L"a/b"), std::wstring(L"C:drive"), std::wstring(L"what?"),
                                    std::wstring(L"say \"hi\""), std::wstring(L"back\\slash"), std::wstring(),
                                    std::wstring(L" leading"), std::wstring(51, L'x'), std::wstring(L"tab\t")}) {
        const std::wstring refusal = GroupRows::RefusalOf(bad, listed);
        EXPECT_TRUE(refusal.starts_with(L"A group name is also the start of its data file names")) << WideToUtf8(bad);
    }
    // Names that look like another name say why.
    const std::pair<std::wstring, std::wstring_view> lookalikes[] = {
        {L"Night Shift ", L"A group name must not end with a blank"},
        {L"Night\u00A0Shift", L"A group name must not hold a no-break space"},
        {L"Night\u200BShift", L"A group name must not hold an invisible character"},
        {L"\u202ENight Shift", L"A group name must not hold an invisible character"},
    };
    for (const auto& [name, refusal] : lookalikes)
        EXPECT_TRUE(GroupRows::RefusalOf(name, listed).starts_with(refusal)) << WideToUtf8(name);

    // A name the provider cannot take as a new table is shown and leaves no group behind.
    EXPECT_EQ(OleDbErrorText(groups.Add(L"user_tbl", false, &id)), L"Table 'user_tbl' already exists.");
    EXPECT_EQ(groups.List().size(), names.size());
}

TEST_P(GroupTable, AnOrphanTableIsLeftToTheUserAndANameAnotherHostAddedIsRefused)
{
    // A table without its row, as a crash of an older version left it.
    ASSERT_EQ(CMethodTable(ModuleSettings).CreateMethodTable(L"Orphan"), S_OK);
    MethodRows rows(ModuleSettings);
    ASSERT_EQ(rows.LoadGroup(L"Orphan"), S_OK);
    rows.InsertMethods({L"Nitrate"}, 2, L"C:\\Methods\\", 0);
    LONG id = 0;
    EXPECT_EQ(groups.Add(L"Orphan", true, &id), DB_E_DUPLICATETABLEID) << "for the caller to ask, nothing shown";
    EXPECT_TRUE(groups.List().empty());
    EXPECT_EQ(groups.Add(L"Orphan", true, &id, Sleep, OrphanTable::TakeBack), S_OK);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(rows.RowsInState(RUNSTATE_CHECKED).size(), 2u) << "taken back with its rows";

    ASSERT_EQ(CMethodTable(ModuleSettings).CreateMethodTable(L"Stale"), S_OK);
    ASSERT_EQ(rows.LoadGroup(L"Stale"), S_OK);
    rows.InsertMethods({L"Nitrate"}, 1, L"C:\\Methods\\", 0);
    rows.ClearGroup();
    EXPECT_EQ(groups.Add(L"Stale", false, &id, Sleep, OrphanTable::Remove), S_OK);
    ASSERT_EQ(rows.LoadGroup(L"Stale"), S_OK);
    EXPECT_TRUE(rows.RowsInState(RUNSTATE_CHECKED).empty()) << "made anew";

    // Another host adds a name after this one listed the groups.
    CGroupTable other(ModuleSettings);
    ASSERT_EQ(other.Open(), S_OK);
    ASSERT_EQ(GroupRows(other).Add(L"Zinc", false, &id), S_OK);
    EXPECT_EQ(OleDbErrorText(groups.Add(L"zinc", false, &id)), L"There is another group with the same name");
    EXPECT_EQ(groups.List().size(), 3u);
}

TEST(OldGroupTable, AWorklistOfAnEarlierVersionGainsTheColumnsItLacksAndKeepsItsGroups)
{
    WorklistTestRoot root;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(root.databaseFile().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db,
                           "DROP TABLE group_tbl; CREATE TABLE group_tbl (GroupID INTEGER, GroupName VARCHAR(50),"
                           " ShutDownOption VARCHAR(50)); INSERT INTO group_tbl VALUES (2, 'Nitrates', 'STANDBY');",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    CGroupTable table(ModuleSettings);
    ASSERT_EQ(table.Open(), S_OK);
    // It gains the tables of the rows' results and of the QC rules too.
    ASSERT_EQ(sqlite3_open(root.databaseFile().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "SELECT RowID, Concentration FROM result_tbl", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, "SELECT GroupID, CalibrationGroup FROM qc_tbl", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    GroupRows groups(table);
    ASSERT_TRUE(groups.FindById(2));
    EXPECT_STREQ(table.ShutDownOption, L"STANDBY");
    EXPECT_EQ(table.OnFailure, ONFAILURE_GO_ON);
    EXPECT_EQ(table.QueueID, 0);
    groups.StoreFailurePolicy(2, ONFAILURE_PAUSE, L"PUMPALL OFF");
    EXPECT_EQ(groups.StoreQueue({2}), S_OK);

    CGroupTable reopened(ModuleSettings);
    ASSERT_EQ(reopened.Open(), S_OK);
    ASSERT_TRUE(GroupRows(reopened).FindById(2));
    EXPECT_EQ(reopened.OnFailure, ONFAILURE_PAUSE);
    EXPECT_STREQ(reopened.EmergencyCommand, L"PUMPALL OFF");
    EXPECT_EQ(reopened.QueueID, 2);
    EXPECT_EQ(reopened.QueuePos, 1);
    EXPECT_EQ(reopened.RunOpen, 1) << "the queue's first group opens its run with the queue";
}

INSTANTIATE_TEST_SUITE_P(Worklist, GroupTable, testing::Values(WorklistProvider::File, WorklistProvider::Server),
                         testing::PrintToStringParamName());

} // namespace
