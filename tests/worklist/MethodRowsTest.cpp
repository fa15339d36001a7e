// The row algorithms on a group's method table, as the method list and the run sequencer use
// them: new rows and deletions keep "aaaID" dense and rename every data file, run states follow
// their rules, and FindRow passes over unchecked rows.
#include "WorklistTestRoot.h"

#include "worklist/CMethodTable.h"
#include "worklist/MethodRows.h"
#include "worklist/OleDbErrorText.h"
#include "worklist/RecordText.h"

#include "kernel/Clock.h"
#include "kernel/WinFormat.h"

#include <gtest/gtest.h>

#include <functional>
#include <sqlite3.h>

namespace {

// The list's side, as the method list control observes the rows: what it was asked to show.
class RecordingRows : public MethodRows, private RowsObserver {
public:
    RecordingRows() : MethodRows(ModuleSettings) { SetObserver(this); }
    int refills = 0;
    std::vector<std::tuple<LONG, LONG, std::wstring>> updates;

private:
    void Refill() override { ++refills; }
    void UpdateRowState(LONG id, LONG state, const wchar_t* message, const std::vector<ResultRecord>&) override
    {
        updates.emplace_back(id, state, message ? message : L"<none>");
    }
};

struct Row {
    LONG id;
    std::wstring method;
    std::wstring dataFile;
    LONG state;
};

// The group's rows as a new table object reads them, in "aaaID" order.
std::vector<Row> rowsOf(const std::wstring& group)
{
    CMethodTable table(ModuleSettings);
    std::vector<Row> rows;
    if (FAILED(table.Open(group)))
        return rows;
    for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
        rows.push_back({table.aaaID, table.MethodName, table.DataFile, table.RunState});
    return rows;
}

std::vector<LONG> statesOf(const std::wstring& group)
{
    std::vector<LONG> states;
    for (const Row& row : rowsOf(group))
        states.push_back(row.state);
    return states;
}

// Group G's rows hold these methods in order, numbered from 0 and autonamed after their number.
void expectDenseRows(const Texts& methods)
{
    const auto found = rowsOf(L"G");
    ASSERT_EQ(found.size(), methods.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].id, static_cast<LONG>(i));
        EXPECT_EQ(found[i].method, methods[i]);
        EXPECT_EQ(found[i].dataFile, FormatWin(L"G%010d.d", static_cast<int>(i)));
    }
}

class MethodRowsTest : public testing::Test {
protected:
    explicit MethodRowsTest(WorklistProvider provider = WorklistProvider::File) : root(provider) {}

    // Group G with rows M0..M(count-1), loaded into rows.
    void makeGroup(int count)
    {
        ASSERT_EQ(CMethodTable(ModuleSettings).CreateMethodTable(L"G"), S_OK);
        ASSERT_EQ(rows.LoadGroup(L"G"), S_OK);
        std::vector<std::wstring> names;
        for (int i = 0; i < count; ++i)
            names.push_back(L"M" + std::to_wstring(i));
        rows.InsertMethods(names, 1, L"C:\\Methods\\", 0);
    }

    WorklistTestRoot root;
    RecordingRows rows;
};

// The same rows in the file and on the server.
class RowAlgorithms : public MethodRowsTest, public testing::WithParamInterface<WorklistProvider> {
protected:
    RowAlgorithms() : MethodRowsTest(GetParam()) {}
};

INSTANTIATE_TEST_SUITE_P(Worklist, RowAlgorithms, testing::Values(WorklistProvider::File, WorklistProvider::Server),
                         testing::PrintToStringParamName());

TEST_P(RowAlgorithms, NewRowsAndDeletionsKeepIdsDenseAndNameEveryRowAgain)
{
    makeGroup(5);
    rows.InsertMethods({L"Nitrate", L"Phosphate"}, 3, L"C:\\Methods\\", 2);
    expectDenseRows({L"M0", L"M1", L"Nitrate", L"Nitrate", L"Nitrate", L"Phosphate", L"Phosphate", L"Phosphate", L"M2",
                     L"M3", L"M4"});
    EXPECT_EQ(rowsOf(L"G")[7].dataFile, L"G0000000007.d");
    EXPECT_GE(rows.refills, 2);

    // A new row: checked, from the method path, run by the logged-on user, autonamed as the group.
    CMethodTable table(ModuleSettings);
    ASSERT_EQ(table.Open(L"G"), S_OK);
    ASSERT_EQ(table.MoveFirst(), S_OK);
    ASSERT_EQ(table.MoveNext(4), S_OK);
    EXPECT_EQ(std::wstring(table.MethodName), L"Phosphate");
    EXPECT_EQ(std::wstring(table.SysMethPath), L"C:\\Methods\\");
    EXPECT_EQ(std::wstring(table.Operator), L"analyst");
    EXPECT_EQ(std::wstring(table.Prefix), L"G");
    EXPECT_EQ(std::wstring(table.SubFolder), L"");
    EXPECT_EQ(table.RunState, RUNSTATE_CHECKED);
    EXPECT_EQ(table.Counter, 0);
    EXPECT_EQ(table.StartTime, 0);

    rows.DeleteSelected({1, 3});
    expectDenseRows({L"M0", L"Nitrate", L"Nitrate", L"Phosphate", L"Phosphate", L"Phosphate", L"M2", L"M3", L"M4"});
    rows.DeleteSelected({0, 1, 2, 3, 4, 5, 6, 7, 8});
    EXPECT_TRUE(rowsOf(L"G").empty());
    rows.InsertMethods({L"Again"}, 1, L"C:\\Methods\\", 0);
    expectDenseRows({L"Again"});
}

TEST_P(RowAlgorithms, AutoNameNumbersFromTheCounterKeepsAbsentFieldsAndIsUndoneByAddingOrDeletingRows)
{
    makeGroup(6);
    rows.AutoName(L"Run 7", L"S", 100, L"Ada");
    EXPECT_EQ(rowsOf(L"G")[5].dataFile, L"S0000000105.d");
    rows.AutoName(L"Run 7", L"S", -3, L"Ada");
    EXPECT_EQ(rowsOf(L"G")[0].dataFile, L"S-000000003.d") << "as \"%s%010d.d\" writes a negative number";
    EXPECT_EQ(rowsOf(L"G")[3].dataFile, L"S0000000000.d");
    rows.AutoName(L"Run 7", L"S", 2147483640, L"Ada");
    EXPECT_EQ(rowsOf(L"G")[5].dataFile, L"S2147483645.d");
    rows.AutoName(nullptr, L"T", 0, nullptr);
    CMethodTable table(ModuleSettings);
    ASSERT_EQ(table.Open(L"G"), S_OK);
    ASSERT_EQ(table.MoveLast(), S_OK);
    EXPECT_EQ(std::wstring(table.DataFile), L"T0000000005.d");
    EXPECT_EQ(std::wstring(table.SubFolder), L"Run 7");
    EXPECT_EQ(std::wstring(table.Operator), L"Ada");
    EXPECT_EQ(std::wstring(table.Prefix), L"T");
    EXPECT_EQ(table.Counter, 0);

    // Texts are cut to 254 characters on their way into a row.
    rows.AutoName(std::wstring(300, L'f').c_str(), std::wstring(250, L'p'), 0, nullptr);
    ASSERT_EQ(table.Open(L"G"), S_OK);
    ASSERT_EQ(table.MoveFirst(), S_OK);
    EXPECT_EQ(std::wstring(table.SubFolder), std::wstring(254, L'f'));
    EXPECT_EQ(std::wstring(table.DataFile), std::wstring(250, L'p') + L"0000");

    // What the user documentation warns of: adding or deleting rows names every row after the
    // group again, clearing the sub-folders but keeping the operators.
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { rows.InsertMethods({L"Extra"}, 1, L"C:\\Methods\\", 3); }, [&] { rows.DeleteSelected({3}); }}) {
        rows.AutoName(L"Run 7", L"NIT", 100, L"Ada");
        change();
        ASSERT_EQ(table.Open(L"G"), S_OK);
        ASSERT_EQ(table.MoveFirst(), S_OK);
        EXPECT_EQ(std::wstring(table.DataFile), L"G0000000000.d");
        EXPECT_EQ(std::wstring(table.SubFolder), L"");
        EXPECT_EQ(std::wstring(table.Prefix), L"G");
        EXPECT_EQ(table.Counter, 0);
        EXPECT_EQ(std::wstring(table.Operator), L"Ada");
    }
}

TEST_P(RowAlgorithms, RunStatesFollowCleanAndChangeRulesAndTheCursorStaysOnTheRunningRow)
{
    makeGroup(4);
    rows.SetAllRunStates(FALSE);
    EXPECT_EQ(statesOf(L"G"), (std::vector<LONG>{5, 5, 5, 5}));
    rows.SetAllRunStates(TRUE);

    // A run: row 1 unchecked; row 0 started; then the sequencer moves on.
    rows.ChangeRunState(rows.FindRowById(1, FALSE), RUNSTATE_UNCHECKED, nullptr);
    LONG id = 0;
    MethodRecord* row = rows.FindRow(id, TRUE);
    ASSERT_NE(row, nullptr);
    const auto start = static_cast<LONG>(Clock::nowMs() / 1000);
    rows.ChangeRunState(row, RUNSTATE_RUNNING, nullptr);
    EXPECT_EQ(row->StartTime, start);
    EXPECT_EQ(std::wstring(row->ErrMessage), L"");
    Clock::advance(90000);
    rows.ChangeRunState(row, RUNSTATE_FAILED, L"Lamp failed.");

    id = 1;
    row = rows.FindRow(id, TRUE);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(id, 2) << "the unchecked row is passed over";
    rows.ChangeRunState(row, RUNSTATE_RUNNING, L"");

    CMethodTable table(ModuleSettings);
    ASSERT_EQ(table.Open(L"G"), S_OK);
    ASSERT_EQ(table.MoveFirst(), S_OK);
    EXPECT_EQ(table.StartTime, start);
    EXPECT_EQ(table.EndTime, start + 90);
    EXPECT_EQ(std::wstring(table.ErrMessage), L"Lamp failed.");
    EXPECT_EQ(statesOf(L"G"), (std::vector<LONG>{4, 5, 2, 1}));

    // CleanRunState keeps unchecked rows, clears every time and message, and comes back to row 2.
    rows.CleanRunState();
    EXPECT_EQ(statesOf(L"G"), (std::vector<LONG>{1, 5, 1, 1}));
    ASSERT_EQ(table.Open(L"G"), S_OK);
    for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext()) {
        EXPECT_EQ(table.StartTime, 0);
        EXPECT_EQ(table.EndTime, 0);
        EXPECT_EQ(std::wstring(table.ErrMessage), L"");
    }
    ASSERT_NE(rows.Table(), nullptr);
    EXPECT_EQ(rows.Table()->aaaID, 2);
    rows.ChangeRunState(rows.Table(), RUNSTATE_DONE, L"Run complete.");
    EXPECT_EQ(statesOf(L"G"), (std::vector<LONG>{1, 5, 3, 1}));

    using Update = std::tuple<LONG, LONG, std::wstring>;
    EXPECT_EQ(rows.updates.back(), (Update{2, 3, L"Run complete."}));
    EXPECT_EQ(rows.updates[1], (Update{0, 2, L"<none>"}));

    // Trace lines: CleanRunState runs into the next entry's date.
    const std::string trace = root.traceLog();
    EXPECT_NE(trace.find("03/14/26 09:26:53: ChangeRunState: 2, (null)\r\n"), std::string::npos) << trace;
    EXPECT_NE(trace.find("CleanRunState03/14/26 "), std::string::npos) << trace;
}

// The row a walk from the first row finds, as the run sequencer's FindRow (or FindRowById when
// byId) defines it, with the id it ends on: rows hold (aaaID, Run State) in the table's order.
std::pair<int, LONG> walkedRow(const std::vector<std::pair<LONG, LONG>>& rows, LONG id, bool skip, bool byId)
{
    for (std::size_t place = 0; place < rows.size(); ++place) {
        const auto [rowId, state] = rows[place];
        if (rowId != id)
            continue;
        if (byId)
            return {skip && state == RUNSTATE_UNCHECKED ? -1 : static_cast<int>(place), id};
        if (!skip || state != RUNSTATE_UNCHECKED)
            return {static_cast<int>(place), id};
        ++id;
    }
    return {-1, id};
}

// Counts the rows that statements deliver on the connections opened while it lives, through
// SQLite's own row trace.
class RowReads {
public:
    RowReads() { sqlite3_auto_extension(reinterpret_cast<void (*)()>(&traceConnection)); }
    ~RowReads() { sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(&traceConnection)); }
    RowReads(const RowReads&) = delete;
    RowReads& operator=(const RowReads&) = delete;

    long count() const { return s_count; }

private:
    static int traceConnection(sqlite3* db, const char**, const sqlite3_api_routines*)
    {
        return sqlite3_trace_v2(db, SQLITE_TRACE_ROW, &countRow, nullptr);
    }
    static int countRow(unsigned, void*, void*, void*)
    {
        ++s_count;
        return 0;
    }
    static inline long s_count = 0;
};

TEST_F(MethodRowsTest, TheRunsNextRowIsFoundWithoutReadingTheGroupAlsoPastItsLastRow)
{
    makeGroup(200);
    RowReads reads;
    ASSERT_EQ(rows.LoadGroup(L"G"), S_OK);
    for (const LONG start : {1, 100, 199, 200}) {
        const long before = reads.count();
        LONG id = start;
        const MethodRecord* row = rows.FindRow(id, TRUE);
        EXPECT_EQ(row ? row->aaaID : -1, start < 200 ? start : -1);
        EXPECT_LE(reads.count() - before, 3) << "rows read to find row " << start;
    }
    EXPECT_GT(reads.count(), 0) << "the trace sees the group's connection";
}

TEST_P(RowAlgorithms, FindRowReachesTheRowTheWalkReachesWhetherOrNotIdsAreDense)
{
    const std::vector<std::vector<LONG>> numberings = {
        {0, 1, 2, 3, 4, 5, 6, 7}, {1, 2, 3, 4, 5, 6, 7, 8}, {0, 1, 2, 4, 5, 6, 7, 8},
        {0, 1, 1, 2, 3, 4, 5, 6}, {0, 2, 2, 3, 4, 5, 6, 7}, {0, 1, 2, 3, 3, 5, 6, 6}};
    ASSERT_EQ(CMethodTable(ModuleSettings).CreateMethodTable(L"G"), S_OK);
    for (const std::vector<LONG>& numbering : numberings) {
        CMethodTable table(ModuleSettings);
        ASSERT_EQ(table.Open(L"G"), S_OK);
        for (table.MoveFirst(); table.HasCurrentRow(); table.MoveFirst())
            ASSERT_EQ(table.Delete(), S_OK);
        std::vector<std::pair<LONG, LONG>> rowsInOrder;
        for (std::size_t place = 0; place < numbering.size(); ++place) {
            table.ClearRecord();
            table.aaaID = numbering[place];
            table.RunState = place % 3 == 1 ? RUNSTATE_UNCHECKED : RUNSTATE_DONE;
            SetRecordText(table.MethodName, L"place " + std::to_wstring(place));
            ASSERT_EQ(table.Insert(), S_OK);
            rowsInOrder.emplace_back(table.aaaID, table.RunState);
        }
        ASSERT_EQ(rows.LoadGroup(L"G"), S_OK);
        for (LONG start = -1; start <= 10; ++start) {
            for (bool skip : {false, true}) {
                for (bool byId : {false, true}) {
                    LONG id = start;
                    MethodRecord* row = byId ? rows.FindRowById(id, skip) : rows.FindRow(id, skip);
                    const auto [place, endId] = walkedRow(rowsInOrder, start, skip, byId);
                    const std::wstring expected = place < 0 ? L"none" : L"place " + std::to_wstring(place);
                    EXPECT_EQ(row ? std::wstring(row->MethodName) : L"none", expected)
                        << "ids " << testing::PrintToString(numbering) << ", from " << start << (skip ? ", skipping" : "")
                        << (byId ? ", by id" : "");
                    EXPECT_EQ(id, endId);
                    if (!byId) {
                        EXPECT_EQ(rows.Table()->HasCurrentRow(), row != nullptr) << "the rows ran out";
                    }
                }
            }
        }
    }
}

TEST_F(MethodRowsTest, EditFailingHalfwayLeavesTheGroupAsItWasAndSaysWhyOnceTheFileIsFree)
{
    // Group "Group" has room for data file names of 16 characters: its own names need 17.
    std::string sql = "CREATE TABLE \"Group\" (aaaID INTEGER, \"Method Name\" VARCHAR(255), \"Data File\" VARCHAR(16),"
                      " Comments VARCHAR(255), \"Run State\" INTEGER, Counter INTEGER, Operator VARCHAR(255),"
                      " Prefix VARCHAR(255), \"Sub-Folder\" VARCHAR(255), SysMethPath VARCHAR(255),"
                      " StartTime INTEGER, EndTime INTEGER, ErrMessage VARCHAR(255));";
    for (int id = 0; id < 3; ++id)
        sql += "INSERT INTO \"Group\" VALUES (" + std::to_string(id) + ", 'M" + std::to_string(id) +
               "', 'old.d', '', 1, 0, '', '', '', '', 0, 0, '');";
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(root.databaseFile().c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ASSERT_EQ(rows.LoadGroup(L"Group"), S_OK);

    const int refills = rows.refills;
    const CMethodTable* before = rows.Table();
    const std::wstring failure = OleDbErrorText(rows.InsertMethods({L"Nitrate"}, 2, L"C:\\Methods\\", 1));
    EXPECT_TRUE(failure.starts_with(L"The field 'Group.Data File' is too small")) << WideToUtf8(failure);
    // When the failure is back the file is free: another table object writes to the group.
    {
        CMethodTable other(ModuleSettings);
        ASSERT_EQ(other.Open(L"Group"), S_OK);
        ASSERT_EQ(other.MoveFirst(), S_OK);
        SetRecordText(other.Comments, L"written meanwhile");
        EXPECT_EQ(other.SetData(), S_OK);
    }

    CMethodTable table(ModuleSettings);
    ASSERT_EQ(table.Open(L"Group"), S_OK);
    std::wstring seen;
    for (table.MoveFirst(); table.HasCurrentRow(); table.MoveNext())
        seen += std::to_wstring(table.aaaID) + L" " + table.MethodName + L" " + table.DataFile + L" " + table.Comments +
                L"; ";
    EXPECT_EQ(seen, L"0 M0 old.d written meanwhile; 1 M1 old.d ; 2 M2 old.d ; ");
    EXPECT_EQ(rows.Table(), before) << "the rows are opened again in the same table object";
    EXPECT_EQ(rows.refills, refills + 1);
}

TEST_P(RowAlgorithms, GroupWhoseTableCannotOpenHoldsNoTable)
{
    makeGroup(2);
    EXPECT_EQ(rows.LoadGroup(L"Gone"), DB_E_NOTABLE);
    EXPECT_EQ(rows.Table(), nullptr);
    // Without a table the algorithms change nothing and still refresh the list.
    const int refills = rows.refills;
    rows.CleanRunState();
    rows.SetAllRunStates(TRUE);
    LONG id = 0;
    EXPECT_EQ(rows.FindRow(id, TRUE), nullptr);
    EXPECT_EQ(rows.refills, refills + 2);
    EXPECT_EQ(rowsOf(L"G").size(), 2u);
}

} // namespace
