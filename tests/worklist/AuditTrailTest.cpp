// The audit trail as the worklist's edits write it: a record for each change with its old and new
// values, none for a change that failed, and a chain that names the first record altered behind
// the module's back with the sqlite3 tool.
#include "WorklistTestRoot.h"

#include "worklist/AuditTrail.h"
#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"
#include "worklist/MethodRows.h"
#include "worklist/OleDbErrorText.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

struct Told {
    std::wstring group, event, oldValue, newValue;
    bool operator==(const Told&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Told& told)
{
    return out << WideToUtf8(told.group + L" | " + told.event + L" | " + told.oldValue + L" | " + told.newValue);
}

class AuditTrailTest : public testing::Test {
protected:
    void SetUp() override
    {
        ModuleSettings.strInstName = L"FIA 1";
        ASSERT_EQ(table.Open(), S_OK);
    }

    std::vector<AuditRecord> records()
    {
        std::vector<AuditRecord> read;
        EXPECT_EQ(AuditTrail::ReadAll(ModuleSettings, read), S_OK);
        return read;
    }
    // What the records from the first-th on tell.
    std::vector<Told> toldFrom(std::size_t first)
    {
        std::vector<Told> told;
        const auto read = records();
        for (std::size_t i = first; i < read.size(); ++i)
            told.push_back({read[i].GroupName, read[i].Event, read[i].OldValue, read[i].NewValue});
        return told;
    }
    void sqlite(const std::string& sql)
    {
        const std::string command = "sqlite3 '" + root.databaseFile().string() + "' \"" + sql + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    AuditChainCheck verify() { return AuditTrail::Verify(ModuleSettings, records()); }
    // The group "Night" with copies rows of one method, loaded into rows.
    void addNight(MethodRows& rows, int copies)
    {
        LONG id = 0;
        ASSERT_EQ(groups.Add(L"Night", true, &id), S_OK);
        ASSERT_EQ(rows.LoadGroup(L"Night", id), S_OK);
        rows.InsertMethods({L"Nitrate"}, copies, L"C:\\Methods\\", 0);
    }

    WorklistTestRoot root;
    CGroupTable table{ModuleSettings};
    GroupRows groups{table};
};

TEST_F(AuditTrailTest, EachEditOfGroupsAndRowsLeavesItsRecordWithWhoWhereAndTheOldAndNewValues)
{
    LONG id = 0;
    ASSERT_EQ(groups.Add(L"Nitrate run", true, &id), S_OK);
    groups.StoreFailurePolicy(id, ONFAILURE_PAUSE, L"PUMP OFF");
    groups.StoreShutDownOption(id, L"LAMP OFF");
    groups.StoreShutDownOption(id, L"LAMP OFF");
    MethodRows rows(ModuleSettings);
    ASSERT_EQ(rows.LoadGroup(L"Nitrate run", id), S_OK);
    rows.InsertMethods({L"Nitrate", L"Nitrite"}, 2, L"C:\\Methods\\", 0);
    LONG second = 1;
    rows.ChangeRunState(rows.FindRow(second, FALSE), RUNSTATE_DONE, L"");
    rows.SetAllRunStates(FALSE);
    rows.AutoName(L"dec", L"N", 100, L"Ada");
    rows.DeleteSelected({1, 2});
    rows.ClearGroup();
    EXPECT_TRUE(groups.DeleteRow(id, L"Nitrate run"));

    const std::wstring options = L"shut-down \" \", recovery \"\", on failure ";
    EXPECT_EQ(toldFrom(0), (std::vector<Told>{
        {L"Nitrate run", L"Group added", L"", options + L"go on, emergency command \"\""},
        {L"Nitrate run", L"Failure policy changed", L"on failure go on, emergency command \"\"",
         L"on failure pause, emergency command \"PUMP OFF\""},
        {L"Nitrate run", L"Shut-down command changed", L" ", L"LAMP OFF"},
        {L"Nitrate run", L"Rows added", L"", L"rows 1-4: Nitrate, Nitrite (2 copies each)"},
        {L"Nitrate run", L"Row 2 done", L"checked", L"done"},
        {L"Nitrate run", L"All rows unchecked", L"checked: rows 1, 3-4; done: rows 2", L"unchecked"},
        {L"Nitrate run", L"Rows renamed by Autoname", L"Nitrate run0000000000.d ... Nitrate run0000000003.d",
         L"N0000000100.d ... N0000000103.d (prefix \"N\", counter 100, sub-folder \"dec\", operator \"Ada\")"},
        {L"Nitrate run", L"Rows deleted", L"rows 2-3: Nitrate (N0000000101.d), Nitrite (N0000000102.d)", L""},
        {L"Nitrate run", L"Group deleted",
         L"shut-down \"LAMP OFF\", recovery \"\", on failure pause, emergency command \"PUMP OFF\"", L""},
    }));
    const auto read = records();
    EXPECT_EQ(read.front().Sequence, 1);
    EXPECT_EQ(read.back().Sequence, static_cast<LONG>(read.size()));
    EXPECT_STREQ(read.front().UserName, L"analyst");
    EXPECT_STREQ(read.front().Instrument, L"FIA 1");
    EXPECT_EQ(std::wcslen(read.front().LocalTime), 19u) << "YYYY-MM-DD HH:MM:SS";
}

TEST_F(AuditTrailTest, AnEditWhoseTransactionFailsLeavesNoRecordAndVerifyNamesEachAlterationWhereItIs)
{
    MethodRows rows(ModuleSettings);
    addNight(rows, 5);
    const std::size_t before = records().size();
    sqlite("CREATE TRIGGER refuse BEFORE DELETE ON Night BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    EXPECT_THAT(OleDbErrorText(rows.DeleteSelected({3})), testing::HasSubstr(L"refused")) << "the caller shows why";
    EXPECT_EQ(records().size(), before) << "the aborted edit left no record";
    sqlite("DROP TRIGGER refuse;");
    for (LONG check : {FALSE, TRUE, FALSE, TRUE})
        rows.SetAllRunStates(check);
    ASSERT_EQ(records().size(), 6u);

    AuditChainCheck check = verify();
    EXPECT_EQ(check.kind, AuditBreak::None);
    EXPECT_EQ(check.count, 6u);

    sqlite("UPDATE audit_tbl SET NewValue = 'checked ' WHERE Sequence = 4;");
    check = verify();
    EXPECT_EQ(check.kind, AuditBreak::Changed);
    EXPECT_EQ(check.sequence, 4);
    sqlite("UPDATE audit_tbl SET NewValue = 'checked' WHERE Sequence = 4;");
    EXPECT_EQ(verify().kind, AuditBreak::None) << "the text as it was is whole again";

    sqlite("INSERT INTO audit_tbl SELECT * FROM audit_tbl WHERE Sequence = 2;");
    check = verify();
    EXPECT_EQ(check.kind, AuditBreak::Inserted);
    EXPECT_EQ(check.sequence, 2);
    EXPECT_EQ(check.count, 7u);
    sqlite("DELETE FROM audit_tbl WHERE rowid = (SELECT max(rowid) FROM audit_tbl);");

    sqlite("DELETE FROM audit_tbl WHERE Sequence = 3;");
    check = verify();
    EXPECT_EQ(check.kind, AuditBreak::Removed);
    EXPECT_EQ(check.sequence, 3);

    // The trail goes on from its last record even after such a change.
    rows.SetAllRunStates(FALSE);
    EXPECT_EQ(records().back().Sequence, 7);
}

TEST_F(AuditTrailTest, ARowsEndAfterAnotherProgramDroppedTheTrailIsKeptUnsavedUntilTheTrailIsMadeAgain)
{
    MethodRows rows(ModuleSettings);
    addNight(rows, 2);
    // The session found the trail with the rows' insert and does not ask again.
    sqlite("DROP TABLE audit_tbl;");
    EXPECT_TRUE(FAILED(rows.ChangeRunState(rows.FindRowById(0, FALSE), RUNSTATE_DONE, L"")));
    EXPECT_TRUE(rows.HasUnsaved()) << "the end is kept, not lost";
    EXPECT_THAT(rows.UnsavedReason(), testing::HasSubstr(L"audit_tbl"));
    EXPECT_EQ(rows.SaveUnsaved(), S_OK);
    EXPECT_EQ(toldFrom(0), (std::vector<Told>{{L"Night", L"Row 1 done", L"checked", L"done"}}));
}

TEST_F(AuditTrailTest, TheHeadIsAnchoredEveryHundredRecordsAndAtEachRecordAskedForAndACutAtTheEndIsMissing)
{
    MethodRows rows(ModuleSettings);
    addNight(rows, 2);
    LONG checked = FALSE;
    const auto toggle = [&] {
        rows.SetAllRunStates(checked);
        checked = !checked;
    };
    while (records().size() < 99)
        toggle();
    EXPECT_FALSE(std::filesystem::exists(root.headFile())) << "no anchor before the hundredth record";
    toggle();
    const auto head = [this] {
        const std::string line = ReadFileBytes(root.headFile());
        return AuditChain::ReadHeadLine(Utf8ToWide(line.substr(0, line.find('\r'))));
    };
    ASSERT_TRUE(head());
    EXPECT_EQ(head()->sequence, 100);
    EXPECT_EQ(head()->hash, records()[99].Hash);
    EXPECT_FALSE(std::filesystem::exists(root.headFile().string() + ".new"));
    toggle();
    EXPECT_EQ(head()->sequence, 100) << "the next record waits for the next hundredth";
    for (int i = 0; i < 2; ++i)
        AuditTrail::Record(ModuleSettings, L"Night", {L"Run paused", L"", L""});
    EXPECT_EQ(head()->sequence, 103) << "a record asked to be anchored is anchored at once";
    EXPECT_EQ(verify().kind, AuditBreak::None);

    sqlite("CREATE TABLE kept AS SELECT * FROM audit_tbl;");
    const auto restore = [this] { sqlite("DROP TABLE IF EXISTS audit_tbl; CREATE TABLE audit_tbl AS SELECT * FROM kept;"); };
    // Appending a copy, of the last record or of another, is an insertion, not a cut.
    for (LONG copied : {103, 2}) {
        sqlite("INSERT INTO audit_tbl SELECT * FROM audit_tbl WHERE Sequence = " + std::to_string(copied) + ";");
        const AuditChainCheck check = verify();
        EXPECT_EQ(check.kind, AuditBreak::Inserted);
        EXPECT_EQ(check.sequence, copied);
        restore();
    }
    const struct {
        std::string cut;
        LONG firstMissing;
    } cuts[] = {
        {"DELETE FROM audit_tbl WHERE Sequence = 103;", 103},
        {"DELETE FROM audit_tbl WHERE Sequence > 100;", 101},
        {"DELETE FROM audit_tbl;", 1},
        {"DROP TABLE audit_tbl;", 1},
    };
    for (const auto& cut : cuts) {
        sqlite(cut.cut);
        const AuditChainCheck check = verify();
        EXPECT_EQ(check.kind, AuditBreak::Missing) << cut.cut;
        EXPECT_EQ(check.sequence, cut.firstMissing) << cut.cut;
        EXPECT_EQ(check.anchor.sequence, 103) << cut.cut;
        EXPECT_EQ(check.anchor.time.size(), 19u) << cut.cut;
        restore();
    }
    // A head of another chain: the record it names is not the one the trail holds.
    WriteFileBytes(root.headFile(), "2026-03-14 09:26:53 Audit trail anchored at record 50, hash " + std::string(64, 'a') + "\r\n");
    const AuditChainCheck check = verify();
    EXPECT_EQ(check.kind, AuditBreak::Unanchored);
    EXPECT_EQ(check.sequence, 50);
    EXPECT_EQ(check.anchor.time, L"2026-03-14 09:26:53");
}

} // namespace
