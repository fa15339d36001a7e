// Several sessions and processes on one file: writes in turn are all kept, and a process killed in
// the middle of its writes leaves a consistent file holding every write it completed.
#include "OleDbTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Sharing = WorklistSession;

// The child inserts numbered rows for ever, telling the parent after each completed insert.
[[noreturn]] void writeUntilKilled(int progress)
{
    CSession session;
    GroupRows groups;
    if (FAILED(OpenSession(session)) || FAILED(groups.Open(session)))
        _exit(2);
    for (LONG id = 1; id < 1000000; ++id) {
        groups.Set(id, L"Row " + std::to_wstring(id), std::wstring(50, L's'));
        if (FAILED(groups.Insert()))
            _exit(3);
        if (write(progress, &id, sizeof id) != sizeof id)
            _exit(4);
    }
    _exit(0);
}

TEST(SharingAcrossProcesses, ProcessKilledDuringItsWritesLeavesEveryCompletedWriteAndAConsistentFile)
{
    WorklistRoot root;
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        writeUntilKilled(pipeEnds[1]);
    }
    close(pipeEnds[1]);
    LONG completed = 0;
    while (completed < 300 && read(pipeEnds[0], &completed, sizeof completed) == sizeof completed) {
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    // Inserts the child finished after the parent stopped listening count too.
    LONG reported = completed;
    while (read(pipeEnds[0], &reported, sizeof reported) == sizeof reported)
        completed = reported;
    close(pipeEnds[0]);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended by itself with " << WEXITSTATUS(status);
    ASSERT_GE(completed, 300);

    DirectLook file(root.databaseFile());
    EXPECT_EQ(file.Value("PRAGMA integrity_check"), "ok");
    const LONG kept = std::stol(file.Value("SELECT count(*) FROM group_tbl"));
    EXPECT_TRUE(kept == completed || kept == completed + 1) << kept << " rows, " << completed << " reported";
    EXPECT_EQ(file.Value("SELECT count(DISTINCT GroupID) FROM group_tbl WHERE GroupID <= " + std::to_string(completed)),
              std::to_string(completed));

    // The provider opens the file again and goes on writing.
    CSession session;
    ASSERT_EQ(OpenSession(session), S_OK);
    GroupRows groups;
    ASSERT_EQ(groups.Open(session), S_OK);
    groups.Set(0, L"after");
    EXPECT_EQ(groups.Insert(), S_OK);
}

} // namespace
