// The notification command of _SERIONNOTIFY$ as a lab sets it: it hears each run event with its
// fields, in order, and one that hangs or fails is ended and logged while the run goes on.
#include "ModuleTestSupport.h"

#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "viewer/CDialogMainViewer.h"

#include "host/InstrumentSimulation.h"
#include "host/RunNotifier.h"
#include "kernel/Text.h"
#include "orvane/CpApi.h"
#include "resources/ResourceIds.h"
#include "win/Automation.h"

#include <gmock/gmock.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <sstream>

using testing::ElementsAre;

namespace {

class Notification : public ModuleTest {
protected:
    Notification()
    {
        AddMethod("DONE.M", "RunTime=10\nOutcome=done\n");
        AddMethod("LEAK.M", "RunTime=20\nOutcome=failed\nMessage=Pump pressure above limit.\n");
        CpSetNumVar(m_context, "_SERIONNOTIFYLIMIT", 0.2);
    }

    void Press(int id) { ASSERT_TRUE(Automation::click(Viewer(), id).ok) << id; }
    void SetCommand(const std::string& line) { CpSetStrVar(m_context, "_SERIONNOTIFY$", Utf8ToWide(line).c_str()); }
    std::vector<std::string> Lines(const char* file) const
    {
        std::istringstream text(ReadFileBytes(m_root.path() / file));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);)
            lines.push_back(line);
        return lines;
    }

    InstrumentSimulation m_instrument{[](const std::wstring&) {}};
    RunNotifier m_notifier{m_logbook};
};

TEST_F(Notification, TheCommandHearsEveryRunEventWithItsFieldsInOrder)
{
    const std::string root = m_root.path().string();
    SetCommand("echo \"$SERION_EVENT|$SERION_GROUP|$SERION_ROW|$SERION_METHOD|$SERION_MESSAGE|$SERION_DONE|"
               "$SERION_FAILED\" >> '" + root + "/events'; cat >> '" + root + "/events.json'");
    OpenWithGroup({L"DONE.M", L"LEAK.M", L"DONE.M"});
    ASSERT_TRUE(Automation::chooseEntry(Viewer(), IDC_ON_FAILURE, L"Pause the run").ok);
    Press(IDC_RUN);
    RunHost(40);
    Press(IDC_RUN);
    RunHost(20);
    ASSERT_THAT(StoredStates(), ElementsAre(RUNSTATE_DONE, RUNSTATE_FAILED, RUNSTATE_DONE));

    // A power failure left the last row running: the window finds the run interrupted, and
    // Continue runs the row again.
    sqlite3* db = nullptr;
    sqlite3_open((m_root.onDriveC("Orvane/Auto/database/worklist.mdb")).c_str(), &db);
    sqlite3_exec(db, "UPDATE group_tbl SET RunOpen=1; UPDATE \"Nitrates\" SET \"Run State\"=2 WHERE aaaID=2", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_CONTINUE).ok);
    RunHost(20);
    m_notifier.finish();

    EXPECT_THAT(Lines("events"),
                ElementsAre("group-started|Nitrates|0|||0|0",
                            "method-failed|Nitrates|2|LEAK.M|Pump pressure above limit.|1|1",
                            "run-paused|Nitrates|2|LEAK.M|Row 2 (LEAK.M) failed: the next method waits for Run.|1|1",
                            "group-ended|Nitrates|0|||2|1", "run-interrupted|Nitrates|3|DONE.M||1|1",
                            "run-continued|Nitrates|0|||1|1", "group-ended|Nitrates|0|||2|1"));
    const std::vector<std::string> objects = Lines("events.json");
    ASSERT_EQ(objects.size(), 7u) << "one JSON object a line";
    const nlohmann::json ended = nlohmann::json::parse(objects[3]);
    EXPECT_EQ(ended["event"], "group-ended");
    EXPECT_EQ(ended["done"], 2);
    EXPECT_EQ(ended["failed"], 1);
    EXPECT_EQ(ended["instrument"], WideToUtf8(ModuleSettings.strInstName));
    EXPECT_THAT(ended["time"].get<std::string>(), testing::MatchesRegex("20[0-9-]+T[0-9:]+Z"));
}

TEST_F(Notification, AHangingOrFailingCommandIsEndedWithItsBackgroundChildrenAndLoggedWhileTheRunGoesOn)
{
    const std::string children = (m_root.path() / "children").string();
    SetCommand("sleep 1000 & echo $! >> '" + children + "'; if [ \"$SERION_EVENT\" = group-started ]; then "
               "echo 'mailer busy'; sleep 30; else echo 'no mailer' >&2; exit 3; fi");
    OpenWithGroup({L"DONE.M", L"DONE.M"});
    Press(IDC_RUN);
    RunHost(30);
    const std::vector<MethodRecord> rows = StoredRows(L"Nitrates");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].RunState, RUNSTATE_DONE);
    EXPECT_EQ(rows[1].StartTime, rows[0].EndTime) << "the hanging command did not hold the run";
    m_notifier.finish();
    EXPECT_THAT(LogbookTexts(),
                testing::IsSupersetOf({L"The notification command for group-started did not end within 200 ms and was "
                                       L"ended: mailer busy",
                                       L"The notification command for group-ended failed with exit status 3: no mailer"}));
    // Each command's background child ended with it: a night of events leaves no process behind.
    const std::vector<std::string> pids = Lines("children");
    ASSERT_EQ(pids.size(), 2u);
    for (const std::string& pid : pids) {
        const int process = static_cast<int>(syscall(SYS_pidfd_open, std::stoi(pid), 0));
        if (process < 0)
            continue;
        pollfd ended{process, POLLIN, 0};
        EXPECT_EQ(poll(&ended, 1, 5000), 1) << "sleep " << pid << " outlived its command";
        close(process);
    }
}

} // namespace
