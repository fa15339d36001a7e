// File > Audit Trail... as a reviewer uses it: the records newest first, narrowed by group, user
// and date, the shown records exported as CSV, and Verify before and after a record was altered
// with SQLite behind the module's back.
#include "UserTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "resources/ResourceIds.h"
#include "worklist/AuditTrail.h"
#include "worklist/CGroupTable.h"
#include "worklist/GroupRows.h"

#include "kernel/Text.h"
#include "win/ListViewAutomation.h"
#include "win/ListViewSnapshot.h"

#include <sqlite3.h>

namespace {

using AuditTrailWindow = UserTest;

constexpr const wchar_t* kTitle = L"Audit Trail";

std::vector<std::wstring> Listed()
{
    ListViewInfo list;
    EXPECT_TRUE(Done(ListViewAutomation::inspect(Automation::findWindow(kTitle), IDC_AUDIT_LIST, list)));
    std::vector<std::wstring> shown;
    for (const ListItemInfo& item : list.items)
        shown.push_back(ListItemText(item));
    return shown;
}

std::wstring Text(int id)
{
    WCHAR text[512] = {};
    GetWindowTextW(GetDlgItem(Automation::findWindow(kTitle), id), text, 512);
    return text;
}

TEST_F(AuditTrailWindow, RecordsAreListedNewestFirstNarrowedExportedAsCsvAndVerifyNamesAnAlteredRecord)
{
    ASSERT_EQ(AddRunGroup({L"DONE.M"}, L"Nitrates"), "");
    ASSERT_EQ(AddRunGroup({L"DONE.M"}, L"Nitrites"), "");
    {
        CGroupTable groups(ModuleSettings);
        ASSERT_TRUE(SUCCEEDED(groups.Open()));
        GroupRows(groups).StoreShutDownOption(3, L"LAMP \"A\", OFF");
    }
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    ASSERT_TRUE(CommandEnabled(Viewer(), ID_AUDIT_TRAIL));
    const std::wstring user = ModuleSettings.strUserName;
    const std::string database = m_root.onDriveC("Orvane/Auto/database/worklist.mdb").string();

    m_user.then([&] {
        std::vector<std::wstring> listed = Listed();
        ASSERT_EQ(listed.size(), 7u) << "three records for each group and the shut-down command";
        EXPECT_TRUE(listed.front().starts_with(L"7 | ")) << WideToUtf8(listed.front());
        EXPECT_TRUE(listed.front().ends_with(L" | " + user + L" |  | Nitrites | Shut-down command changed |   | "
                                             L"LAMP \"A\", OFF"))
            << WideToUtf8(listed.front());
        EXPECT_TRUE(listed.back().starts_with(L"1 | ")) << "the oldest last";
        EXPECT_EQ(Text(IDC_AUDIT_SHOWN), L"7 of 7 records shown, newest first.");
        // At 80 columns the time shows without its year, whole.
        std::vector<AuditRecord> records;
        ASSERT_TRUE(SUCCEEDED(AuditTrail::ReadAll(ModuleSettings, records)));
        const std::wstring today = std::wstring(records.back().LocalTime).substr(0, 10);
        EXPECT_TRUE(listed.front().starts_with(L"7 | " + std::wstring(records.back().LocalTime).substr(5) + L" | "))
            << WideToUtf8(listed.front());

        const HWND dialog = Automation::findWindow(kTitle);
        EXPECT_TRUE(Done(Automation::chooseEntry(dialog, IDC_AUDIT_GROUP, L"Nitrites")));
        EXPECT_EQ(Listed().size(), 4u);
        EXPECT_TRUE(Done(Automation::chooseEntry(dialog, IDC_AUDIT_USER, user)));
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_AUDIT_FROM, today)));
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_AUDIT_TO, today)));
        EXPECT_EQ(Listed().size(), 4u) << "a range of one day holds today's records";
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_AUDIT_TO, L"2000-01-01")));
        EXPECT_EQ(Text(IDC_AUDIT_SHOWN), L"0 of 7 records shown, newest first.");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_AUDIT_TO, L"")));

        EXPECT_TRUE(Done(Automation::click(dialog, IDC_AUDIT_EXPORT)));
        EXPECT_EQ(Text(IDC_AUDIT_RESULT), L"Type the name of the file to export the shown records to.");
        EXPECT_TRUE(Done(Automation::setText(dialog, IDC_AUDIT_FILE, L"C:\\Nitrites.csv")));
        EXPECT_TRUE(Done(Automation::click(dialog, IDC_AUDIT_EXPORT)));
        EXPECT_EQ(Text(IDC_AUDIT_RESULT), L"4 records exported to C:\\Nitrites.csv.");

        EXPECT_TRUE(Done(Automation::click(dialog, IDC_AUDIT_VERIFY)));
        EXPECT_EQ(Text(IDC_AUDIT_RESULT), L"All 7 records of the audit trail are intact.");
        sqlite3* other = nullptr;
        ASSERT_EQ(sqlite3_open(database.c_str(), &other), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(other, "UPDATE audit_tbl SET UserName = 'nobody' WHERE Sequence = 5", nullptr,
                               nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(other);
        EXPECT_TRUE(Done(Automation::click(dialog, IDC_AUDIT_VERIFY)));
        EXPECT_EQ(Text(IDC_AUDIT_RESULT), L"The audit trail is broken: record 5 was changed after it was written.");

        // A record cut from the end is missing from what the head file anchored.
        AuditTrail::Record(ModuleSettings, L"", {L"Run paused", L"", L""});
        const std::wstring anchored = L", anchored at " + AuditTrail::LocalTimeText(_time64(nullptr)) + L", is missing.";
        ASSERT_EQ(sqlite3_open(database.c_str(), &other), SQLITE_OK);
        const std::string undo = "UPDATE audit_tbl SET UserName = '" + WideToUtf8(user) + "' WHERE Sequence = 5;";
        EXPECT_EQ(sqlite3_exec(other, (undo + "DELETE FROM audit_tbl WHERE Sequence = 8;").c_str(), nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(other);
        EXPECT_TRUE(Done(Automation::click(dialog, IDC_AUDIT_VERIFY)));
        EXPECT_EQ(Text(IDC_AUDIT_RESULT), L"The audit trail is broken: record 8" + anchored);
        EXPECT_TRUE(Done(Automation::click(dialog, IDCANCEL)));
    });
    ASSERT_TRUE(Done(Automation::chooseMenuCommand(Viewer(), ID_AUDIT_TRAIL)));
    EXPECT_EQ(m_user.pendingActions(), 0u) << "the window was shown";

    const std::string csv = ReadFileBytes(m_root.onDriveC("Nitrites.csv"));
    const std::string header = "Sequence,UTC time,Local time,User,Instrument,Group,Event,Old value,New value,Hash\r\n";
    ASSERT_TRUE(csv.starts_with(header)) << csv;
    EXPECT_EQ(csv.substr(header.size(), 2), "4,") << "in the order written";
    EXPECT_NE(csv.find(",Nitrites,Shut-down command changed, ,\"LAMP \"\"A\"\", OFF\","), std::string::npos) << csv;
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 5);
}

} // namespace
