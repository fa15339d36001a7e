// A session's local transaction: its writes are seen at once by the session that made them, by
// other sessions only when committed and then all together; an abort, or a session closed with
// its transaction open, takes every one of them back.
#include "OleDbTestSupport.h"

#include <gtest/gtest.h>

namespace {

// The group names a fresh rowset on session finds, in the table's order.
std::wstring namesSeenBy(const CSession& session)
{
    GroupRows groups;
    if (FAILED(groups.Open(session)))
        return L"<error>";
    std::wstring names;
    for (const std::wstring& name : GroupNames(groups))
        names += name + L" ";
    return names;
}

// Inserts G2..G4, renames the first row and deletes the second.
void editGroups(GroupRows& groups)
{
    for (LONG id = 2; id <= 4; ++id) {
        groups.Set(id, L"G" + std::to_wstring(id));
        ASSERT_EQ(groups.Insert(), S_OK);
    }
    ASSERT_EQ(groups.MoveFirst(), S_OK);
    groups.Set(groups.GroupID, L"First");
    ASSERT_EQ(groups.SetData(), S_OK);
    ASSERT_EQ(groups.MoveNext(), S_OK);
    ASSERT_EQ(groups.Delete(), S_OK);
}

TEST(Transaction, WritesAreSeenByTheirOwnSessionAtOnceByOthersWholeAfterCommitAndAbortTakesThemBack)
{
    WorklistRoot root;
    CSession other;
    ASSERT_EQ(OpenSession(other), S_OK);
    DirectLook file(root.databaseFile());
    {
        CSession editor;
        ASSERT_EQ(OpenSession(editor), S_OK);
        GroupRows groups;
        ASSERT_EQ(groups.Open(editor), S_OK);
        groups.Set(1, L"G1");
        ASSERT_EQ(groups.Insert(), S_OK);

        // Aborted: every write is taken back; the rowset is opened again since it held rows the
        // abort took back, and the session writes on its own again.
        ASSERT_EQ(editor.StartTransaction(), S_OK);
        ASSERT_NO_FATAL_FAILURE(editGroups(groups));
        ASSERT_EQ(editor.Abort(), S_OK);
        EXPECT_EQ(namesSeenBy(editor), L"G1 ");
        ASSERT_EQ(groups.Open(editor), S_OK);
        groups.Set(5, L"G5");
        ASSERT_EQ(groups.Insert(), S_OK);
        EXPECT_EQ(namesSeenBy(other), L"G1 G5 ");

        // Committed: seen by the editor at once, by the others only after the commit.
        ASSERT_EQ(editor.StartTransaction(), S_OK);
        EXPECT_EQ(editor.StartTransaction(), XACT_E_XTIONEXISTS) << "transactions do not nest";
        ASSERT_NO_FATAL_FAILURE(editGroups(groups));
        EXPECT_EQ(namesSeenBy(editor), L"First G2 G3 G4 ");
        EXPECT_EQ(namesSeenBy(other), L"G1 G5 ");
        // A rowset opened in the edit reads its rows in one pass; what another rowset of the
        // session writes afterwards is what its moves show.
        GroupRows kept;
        ASSERT_EQ(kept.Open(editor), S_OK);
        for (const std::wstring name : {L"Renamed", L"First"}) {
            ASSERT_EQ(groups.MoveFirst(), S_OK);
            groups.Set(groups.GroupID, name);
            ASSERT_EQ(groups.SetData(), S_OK);
            EXPECT_EQ(GroupNames(kept).front(), name);
        }
        EXPECT_EQ(file.Value("SELECT group_concat(GroupName, ' ') FROM group_tbl"), "G1 G5");
        ASSERT_EQ(editor.Commit(), S_OK);
        EXPECT_EQ(namesSeenBy(other), L"First G2 G3 G4 ");
        // Held outside a transaction, the rows show what another session writes next, and a
        // write of their own that an abort takes back goes with it.
        ASSERT_EQ(kept.Open(editor), S_OK);
        EXPECT_TRUE(kept.HoldsEveryRow());
        GroupRows seen;
        ASSERT_EQ(seen.Open(other), S_OK);
        ASSERT_EQ(seen.MoveFirst(), S_OK);
        seen.Set(seen.GroupID, L"Other");
        ASSERT_EQ(seen.SetData(), S_OK);
        EXPECT_EQ(GroupNames(kept).front(), L"Other");
        ASSERT_EQ(editor.StartTransaction(), S_OK);
        ASSERT_EQ(kept.Open(editor), S_OK);
        ASSERT_EQ(kept.MoveFirst(), S_OK);
        kept.Set(kept.GroupID, L"Undone");
        ASSERT_EQ(kept.SetData(), S_OK);
        EXPECT_TRUE(kept.HoldsEveryRow());
        ASSERT_EQ(editor.Abort(), S_OK);
        EXPECT_EQ(GroupNames(kept).front(), L"Other");
        ASSERT_EQ(seen.MoveFirst(), S_OK);
        seen.Set(seen.GroupID, L"First");
        ASSERT_EQ(seen.SetData(), S_OK);
        EXPECT_EQ(editor.Commit(), XACT_E_NOTRANSACTION);
        EXPECT_EQ(ErrorDescriptions(), std::vector<std::wstring>{L"The session has no transaction to commit."});
        EXPECT_EQ(editor.Abort(), XACT_E_NOTRANSACTION);

        // Left open when the session closes: taken back.
        ASSERT_EQ(editor.StartTransaction(), S_OK);
        ASSERT_NO_FATAL_FAILURE(editGroups(groups));
        groups.Close();
    }
    EXPECT_EQ(namesSeenBy(other), L"First G2 G3 G4 ") << "the session closed with its transaction open";
    EXPECT_EQ(file.Value("PRAGMA integrity_check"), "ok");

    CSession closed;
    EXPECT_EQ(closed.StartTransaction(), E_UNEXPECTED);
}

} // namespace
