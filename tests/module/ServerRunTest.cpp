// Runs of a group kept on a lab's server: a host killed in the middle of one leaves the group for
// another host, which continues it and keeps the first host's results while a third session sees
// each result land, once the recovery period of the first has passed; a server restart leaves a run its
// group for that period, and a run whose claim another host then takes ends saying so, writing
// nothing more; a run goes on while the server is away, keeps its results on the instrument and
// writes each once when the server is back, also after a restart; a password in the connection
// reaches no text the user sees.
#include "ModuleTestSupport.h"

#include "module/MainViewer.h"
#include "module/ModuleCommands.h"
#include "module/core/ModuleSettings.h"
#include "viewer/CDialogMainViewer.h"
#include "viewer/CSRStatusBar.h"
#include "worklist/AuditTrail.h"
#include "worklist/RunClaim.h"

#include "host/InstrumentSimulation.h"
#include "host/ServerWorklist.h"
#include "support/OrvaneProgram.h"
#include "support/PgServer.h"

#include "kernel/Text.h"
#include "orvane/CpVariables.h"
#include "resources/ResourceIds.h"

#include <gmock/gmock.h>
#include <libpq-fe.h>

#include <regex>

namespace {

struct ServerRow {
    int state;
    std::string start;
    std::string end;
    std::string message;

    bool operator==(const ServerRow&) const = default;
};

bool Ended(const ServerRow& row) { return row.state == RUNSTATE_DONE || row.state == RUNSTATE_FAILED; }

// A session of its own on the server, as another program in the lab would read the worklist.
class Reader {
public:
    explicit Reader(const std::wstring& connection)
        : m_connection(PQconnectdb(WideToUtf8(connection).c_str()))
    {
    }
    ~Reader() { PQfinish(m_connection); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    std::vector<ServerRow> Rows(const std::string& group)
    {
        std::vector<ServerRow> rows;
        // The server keeps the module's names in lower case.
        PGresult* result = PQexec(m_connection,
            ("SELECT \"run state\", StartTime, EndTime, ErrMessage FROM " + group + " ORDER BY aaaID").c_str());
        EXPECT_EQ(PQresultStatus(result), PGRES_TUPLES_OK) << PQerrorMessage(m_connection);
        for (int n = 0; PQresultStatus(result) == PGRES_TUPLES_OK && n < PQntuples(result); ++n)
            rows.push_back({std::atoi(PQgetvalue(result, n, 0)), PQgetvalue(result, n, 1), PQgetvalue(result, n, 2),
                PQgetvalue(result, n, 3)});
        PQclear(result);
        return rows;
    }
    std::string Value(const std::string& sql)
    {
        PGresult* result = PQexec(m_connection, sql.c_str());
        std::string value
            = PQresultStatus(result) == PGRES_TUPLES_OK && PQntuples(result) ? PQgetvalue(result, 0, 0) : "";
        PQclear(result);
        return value;
    }

private:
    PGconn* m_connection;
};

// This test process is host "FIA 2" on a fresh server worklist.
class ServerRun : public ModuleTest {
protected:
    ServerRun()
    {
        ModuleSettings.strProvider = kServerProvider;
        ModuleSettings.strDatabasePath = m_server;
        CpVariables::instance().set("_SERIONDB$", m_server);
        CpVariables::instance().set("_INSTNAME$", std::wstring(L"FIA 2"));
    }

    // An orvane installation with the demo group, moved onto server and used from there as "FIA 1".
    std::filesystem::path OtherHost(const std::string& name, const std::wstring& server)
    {
        const std::filesystem::path root = m_root.path() / name;
        EXPECT_EQ(runOrvane("--root " + root.string() + " --init --demo").exitCode, 0);
        const ProgramRun copied
            = runOrvane("--root " + root.string() + " --copy-to-server '" + WideToUtf8(server) + "'");
        EXPECT_EQ(copied.exitCode, 0) << copied.output;
        std::string variables = ReadFileBytes(root / "orvane.var");
        variables = std::regex_replace(variables, std::regex("_INSTNAME\\$=.*"), "_INSTNAME$=FIA 1");
        WriteFileBytes(root / "orvane.var", variables + "_SERIONDB$=" + WideToUtf8(server) + "\n");
        WriteFileBytes(root / "run.script",
            "FIARUNNER\n"
            "WaitWindow \"Run Serion Methods\"\n"
            "Click \"Run Serion Methods\", 33001\n"
            "Wait 600\n"
            "Exit\n");
        return root;
    }
    static ProgramRun RunScript(const std::filesystem::path& root, long killAt)
    {
        setenv("ORVANE_KILL_AT_CHANGE", std::to_string(killAt).c_str(), 1);
        ProgramRun run = runOrvane("--root " + root.string() + " --script " + (root / "run.script").string());
        unsetenv("ORVANE_KILL_AT_CHANGE");
        return run;
    }

    // "event | new value" of the audit trail's run records.
    static std::vector<std::wstring> RunRecords()
    {
        std::vector<AuditRecord> records;
        EXPECT_EQ(AuditTrail::ReadAll(ModuleSettings, records), S_OK);
        std::vector<std::wstring> told;
        for (const AuditRecord& record : records)
            if (std::wstring_view(record.Event).starts_with(L"Run "))
                told.push_back(std::wstring(record.Event) + L" | " + record.NewValue);
        return told;
    }

    const std::wstring m_server = PgServer::NewDatabase();
    InstrumentSimulation m_instrument{[](const std::wstring&) {}};
};

TEST_F(ServerRun, AHostKilledMidRunLeavesItsGroupToAnotherWhichKeepsItsResultsWhileAReaderSeesEachNewOne)
{
    // A whole run elsewhere tells how many variable changes the run makes and what each row ends as.
    const std::wstring wholeServer = PgServer::NewDatabase();
    const ProgramRun whole = RunScript(OtherHost("whole", wholeServer), 0);
    ASSERT_EQ(whole.exitCode, 0) << whole.output;
    std::smatch count;
    ASSERT_TRUE(std::regex_search(whole.output, count, std::regex("orvane: (\\d+) host variable changes")));
    std::vector<int> outcomes;
    for (const ServerRow& row : Reader(wholeServer).Rows("Nitrates"))
        outcomes.push_back(row.state);
    ASSERT_EQ(outcomes.size(), 4u) << whole.output;

    // Killed half way, FIA 1 leaves its running row and its open run on the server.
    const std::filesystem::path killedRoot = OtherHost("killed", m_server);
    const ProgramRun killed = RunScript(killedRoot, std::stol(count[1]) / 2);
    ASSERT_EQ(killed.exitCode, 137) << killed.output;
    Reader reader(m_server);
    const std::vector<ServerRow> atKill = reader.Rows("Nitrates");
    const auto endedAtKill = std::ranges::count_if(atKill, Ended);
    ASSERT_GT(endedAtKill, 0) << "the kill comes after a row's end";
    ASSERT_LT(endedAtKill, 4) << "and before the last";
    EXPECT_EQ(reader.Value("SELECT max(RunOpen) FROM group_tbl"), "1");

    // FIA 2 has the same methods. Within the recovery period FIA 1 may still come back: its Continue
    // is refused, and the running row is left as it is.
    std::filesystem::create_directories(m_root.onDriveC("Orvane/Data"));
    std::filesystem::copy(killedRoot / "C" / "Orvane" / "Methods", m_root.onDriveC("Orvane/Methods"),
        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"CONTINUE"}), OOCP_OK);
    std::vector<std::wstring> refused;
    AnswerMessage(refused);
    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), ID_CONTINUE).ok);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_TRUE(refused[0].starts_with(L"Instrument FIA 1 was running this group ")) << WideToUtf8(refused[0]);
    EXPECT_THAT(refused[0], testing::HasSubstr(L" seconds ago and may still run it"));
    EXPECT_EQ(reader.Rows("Nitrates"), atKill);

    // Past the period (none here) FIA 2 continues the group.
    CpVariables::instance().set("_SERIONRECOVERY", 0.0);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER, {L"CONTINUE"}), OOCP_OK);
    std::vector<long> endedSeen;
    for (int second = 0; second < 600; ++second) {
        RunHost(1);
        const long ended = std::ranges::count_if(reader.Rows("Nitrates"), Ended);
        if (endedSeen.empty() || endedSeen.back() != ended)
            endedSeen.push_back(ended);
        if (ended == 4 && !MainViewer()->GetRun().IsRunning())
            break;
    }
    ASSERT_FALSE(MainViewer()->GetRun().IsRunning());
    std::vector<long> oneByOne;
    for (long ended = endedAtKill; ended <= 4; ++ended)
        oneByOne.push_back(ended);
    EXPECT_EQ(endedSeen, oneByOne) << "the reader sees each row's result when the row ends";

    const std::vector<ServerRow> after = reader.Rows("Nitrates");
    ASSERT_EQ(after.size(), 4u);
    for (std::size_t n = 0; n < after.size(); ++n) {
        if (Ended(atKill[n])) {
            EXPECT_EQ(after[n], atKill[n]) << "row " << n << " ended on FIA 1 and keeps its result";
        }
        EXPECT_EQ(after[n].state, outcomes[n]) << "row " << n << ": " << after[n].message;
    }
    EXPECT_EQ(reader.Value("SELECT max(RunOpen) FROM group_tbl"), "0");
}

TEST_F(ServerRun, AServerRestartLeavesTheRunItsGroupUntilTheRecoveryPeriodHasPassedThenAnotherHostTakesOver)
{
    std::string error;
    ASSERT_TRUE(InitServerWorklist(m_server, error)) << error;
    AddMethod("DONE.M", "RunTime=10\nOutcome=done\n");
    ASSERT_EQ(AddRunGroup({L"DONE.M", L"DONE.M", L"DONE.M"}), "");
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    SendMessageW(
        Viewer(), WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Viewer(), IDC_RUN)));
    RunHost(2);
    const LONG group = std::stol(Reader(m_server).Value("SELECT GroupID FROM group_tbl WHERE GroupName = 'Nitrates'"));
    const auto asOtherHost = [](auto act) {
        ModuleSettings.strInstName = L"FIA 9";
        act();
        ModuleSettings.strInstName = L"FIA 2";
    };

    // The server restarts and drops every claim: FIA 2's heartbeat still keeps the group from FIA 9.
    PgServer::EndSessions(m_server);
    RunClaim otherHost(ModuleSettings);
    asOtherHost([&] {
        EXPECT_TRUE(RunClaim::IsClaimed(ModuleSettings, group)) << "the running row is not taken for interrupted";
        EXPECT_FALSE(otherHost.Take(group));
        std::wstring seenOn;
        LONG secondsAgo = -1;
        EXPECT_TRUE(RunClaim::SeenRunning(ModuleSettings, group, &seenOn, &secondsAgo));
        EXPECT_EQ(seenOn, L"FIA 2");
        EXPECT_LT(secondsAgo, 5);
    });
    RunHost(4);
    EXPECT_EQ(RunClaim::RunningOn(ModuleSettings, group), L"FIA 2")
        << "taken again at the next heartbeat, before the method's end";

    // Gone again, past the recovery period (none for FIA 9), FIA 9 takes the group over.
    PgServer::EndSessions(m_server);
    ModuleSettings.nRecoverySeconds = 0;
    asOtherHost([&] { ASSERT_TRUE(otherHost.Take(group)); });
    RunHost(60);

    EXPECT_FALSE(MainViewer()->GetRun().IsRunning());
    const std::vector<ServerRow> rows = Reader(m_server).Rows("Nitrates");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].state, RUNSTATE_RUNNING) << "the row's end is not written into FIA 9's group";
    EXPECT_EQ(rows[1].state, RUNSTATE_CHECKED) << "nothing more runs here";
    EXPECT_EQ(rows[2].state, RUNSTATE_CHECKED);
    const std::wstring told = L"Instrument FIA 9 took over group Nitrates while the lab server could not be reached: "
                              L"nothing more of it runs or is written here.";
    EXPECT_THAT(LogbookTexts(), testing::Contains(told));
    EXPECT_THAT(RunRecords(), testing::Contains(L"Run ended | " + told));
    EXPECT_EQ(Reader(m_server).Value("SELECT max(RunOpen) FROM group_tbl"), "1") << "the run stays FIA 9's";
    EXPECT_EQ(RunClaim::RunningOn(ModuleSettings, group), L"FIA 9") << "the other host's claim stays its own";
}

TEST_F(ServerRun, AServerAwayAcrossRowEndsNeitherEndsTheRunNorLosesAResultNorWritesOneTwiceNorShowsThePassword)
{
    // The tests' server lets every account in: the password need only stay unseen.
    const std::wstring server = std::regex_replace(m_server, std::wregex(L"postgresql:///"), L"postgresql://postgres:S3cret@/");
    std::vector<std::wstring> seen;
    const auto seenShown = [&] {
        seen.push_back(
            dynamic_cast<CSRStatusBar&>(*CWnd::FromHandlePermanent(GetDlgItem(Viewer(), AFX_IDW_STATUS_BAR))).MessageText());
    };
    // A server without the worklist's database: the window cannot open.
    CpVariables::instance().set("_SERIONDB$",
        std::regex_replace(server, std::wregex(L"\\?"), L"_gone?", std::regex_constants::format_first_only));
    AnswerMessage(seen);
    Execute(ID_CMD_FIARUNNER);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_THAT(seen[0], testing::HasSubstr(L"postgres:***@/")) << "the server is named, its password masked";

    // The server goes away from the 5th second of a run of three 10-second rows: two rows end in
    // the next 20 s, and the third starts.
    std::string error;
    ASSERT_TRUE(InitServerWorklist(server, error)) << error;
    CpVariables::instance().set("_SERIONDB$", server);
    ModuleSettings.strDatabasePath = server;
    AddMethod("DONE.M", "RunTime=10\nOutcome=done\n");
    ASSERT_EQ(AddRunGroup({L"DONE.M", L"DONE.M", L"DONE.M"}), "");
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    Automation::deliverPending();
    SendMessageW(
        Viewer(), WM_COMMAND, MAKEWPARAM(IDC_RUN, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Viewer(), IDC_RUN)));
    RunHost(5);
    PgServer::SetReachable(server, false);
    const std::filesystem::path journal = m_root.onDriveC("SRNAJRNL.CSV");
    for (int second = 0; second < 20; ++second) {
        RunHost(1);
        seenShown();
    }
    const std::string keptWhileAway = ReadFileBytes(journal);
    EXPECT_TRUE(MainViewer()->GetRun().IsRunning()) << "the run goes on without the server";
    EXPECT_TRUE(std::regex_match(WideToUtf8(seen.back()),
        std::regex("Lab server away since [0-9][0-9]:[0-9][0-9]: 2 results kept here, written when it is back")))
        << WideToUtf8(seen.back());
    EXPECT_THAT(LogbookTexts(), testing::Contains(seen.back()));
    EXPECT_THAT(LogbookTexts(), testing::Contains(testing::EndsWith(L": 1 result kept here, written when it is back")));
    EXPECT_THAT(keptWhileAway, testing::HasSubstr(",row,Nitrates,1,3,")) << "row 2's end waits on the instrument";

    // The run ends while the server stays away; after 5 minutes away the lab is told, once.
    RunHost(300);
    EXPECT_FALSE(MainViewer()->GetRun().IsRunning());
    const std::vector<std::wstring> told = LogbookTexts();
    EXPECT_EQ(std::ranges::count_if(told, [](const std::wstring& text) {
        return text.starts_with(L"The lab server has been away since ") &&
               text.find(L": 3 results of this instrument are kept on it") != std::wstring::npos;
    }), 1);

    // Run waits for the server, saying so, until Stop.
    const auto click = [&](int id) {
        SendMessageW(Viewer(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(Viewer(), id)));
    };
    click(IDC_RUN);
    seenShown();
    EXPECT_EQ(seen.back(), L"Waiting for the lab server: the run goes on with group Nitrates when it is back.");
    click(IDC_STOP);
    EXPECT_FALSE(MainViewer()->GetRun().IsRunning());

    PgServer::SetReachable(server, true);
    RunHost(10);
    seenShown();
    Reader reader(m_server);
    const auto storedOnce = [&] {
        const std::vector<ServerRow> rows = reader.Rows("Nitrates");
        EXPECT_EQ(rows.size(), 3u);
        for (const ServerRow& row : rows)
            EXPECT_EQ(row.state, RUNSTATE_DONE) << row.message;
        EXPECT_EQ(reader.Value("SELECT count(*) FROM audit_tbl WHERE Event LIKE 'Row % done'"), "3");
        EXPECT_EQ(reader.Value("SELECT count(*) - count(DISTINCT (aaaid, location)) FROM result_tbl"), "0");
        EXPECT_EQ(reader.Value("SELECT max(RunOpen) FROM group_tbl"), "0");
        EXPECT_EQ(reader.Value("SELECT count(*) FROM journal_tbl"), "0") << "the marks go with the journal";
    };
    storedOnce();
    const std::string results = reader.Value("SELECT count(*) FROM result_tbl");
    EXPECT_EQ(ReadFileBytes(journal), "") << "written, the journal is emptied";
    EXPECT_THAT(LogbookTexts(), testing::Contains(L"Lab server back: the results kept here are written to it."));

    // A host killed during the outage leaves its journal; one killed after the writes landed but
    // before the journal was emptied leaves the same file and the writes' marks. The next start
    // writes nothing twice.
    WriteFileBytes(journal, keptWhileAway);
    reader.Value("INSERT INTO journal_tbl (EntryKey) SELECT DISTINCT split_part(line, ',', 1) FROM regexp_split_to_table($$" +
                 keptWhileAway + "$$, E'\\n') AS line WHERE line <> ''");
    ASSERT_TRUE(Automation::chooseMenuCommand(Viewer(), IDCANCEL).ok);
    ASSERT_EQ(Execute(ID_CMD_FIARUNNER), OOCP_OK);
    storedOnce();
    EXPECT_EQ(reader.Value("SELECT count(*) FROM result_tbl"), results);
    EXPECT_EQ(ReadFileBytes(journal), "");

    for (const std::wstring& text : LogbookTexts())
        seen.push_back(text);
    seen.push_back(Utf8ToWide(ReadFileBytes(m_root.onDriveC("SRNA.LOG"))));
    for (const std::wstring& text : seen)
        EXPECT_EQ(text.find(L"S3cret"), std::wstring::npos) << WideToUtf8(text);
}

} // namespace
