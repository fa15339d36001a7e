// Running a child through /bin/sh: spawned in a process group of its own, which is ended with it,
// its input written and its output read as they can be, its end watched through a process file
// descriptor.
#include "ChildCommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

extern char** environ;

namespace {

// More output than this is not kept: only its last line is reported.
constexpr std::size_t kKeptOutput = 4096;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

std::vector<char*> environmentWith(const std::vector<std::string>& added)
{
    std::vector<char*> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view current(*entry);
        const bool replaced = std::any_of(added.begin(), added.end(), [&](const std::string& extra) {
            const std::size_t equals = extra.find('=');
            return current.substr(0, equals + 1) == std::string_view(extra).substr(0, equals + 1);
        });
        if (!replaced)
            entries.push_back(*entry);
    }
    for (const std::string& extra : added)
        entries.push_back(const_cast<char*>(extra.c_str()));
    entries.push_back(nullptr);
    return entries;
}

std::string lastLineOf(std::string output)
{
    output.erase(output.find_last_not_of("\r\n") + 1);
    const std::size_t lineBreak = output.rfind('\n');
    return lineBreak == std::string::npos ? output : output.substr(lineBreak + 1);
}

// What the command wrote before it ended and is still in the pipe.
void readRest(int fd, std::string& output)
{
    if (fd < 0)
        return;
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    char buffer[1024];
    for (ssize_t count; output.size() < kKeptOutput && (count = ::read(fd, buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(count));
}

int exitStatus(int waitStatus)
{
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

} // namespace

ChildCommand::Outcome ChildCommand::run(const std::string& commandLine, const std::vector<std::string>& environment,
                                        const std::string& input, std::chrono::milliseconds limit)
{
    Outcome outcome;
    // A command that leaves its input unread must not end the host: on this thread a write to
    // its closed pipe fails with EPIPE instead of raising SIGPIPE.
    sigset_t brokenPipe;
    sigemptyset(&brokenPipe);
    sigaddset(&brokenPipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &brokenPipe, nullptr);
    int inputPipe[2];
    int outputPipe[2];
    if (::pipe2(inputPipe, O_CLOEXEC) != 0 || ::pipe2(outputPipe, O_CLOEXEC) != 0) {
        outcome.error = std::strerror(errno);
        return outcome;
    }
    Descriptor inputRead(inputPipe[0]), inputWrite(inputPipe[1]), outputRead(outputPipe[0]), outputWrite(outputPipe[1]);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputRead.get(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputWrite.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outputWrite.get(), STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // A group of its own, so that a hanging command's children end with it; the signals a host
    // ignores or blocks are the child's as usual again.
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigaddset(&signals, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    std::vector<char*> envp = environmentWith(environment);
    char shell[] = "/bin/sh", option[] = "-c";
    char* argv[] = {shell, option, const_cast<char*>(commandLine.c_str()), nullptr};
    pid_t pid = -1;
    const int spawned = ::posix_spawn(&pid, shell, &actions, &attributes, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        outcome.error = std::strerror(spawned);
        return outcome;
    }
    outcome.started = true;
    inputRead.reset();
    outputWrite.reset();
    ::fcntl(inputWrite.get(), F_SETFL, O_NONBLOCK);
    Descriptor process(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));

    std::string output;
    std::size_t written = 0;
    if (input.empty())
        inputWrite.reset();
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int waitStatus = 0;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(-pid, SIGKILL);
            ::waitpid(pid, &waitStatus, 0);
            outcome.timedOut = true;
            break;
        }
        pollfd watched[] = {{process.get(), POLLIN, 0}, {outputRead.get(), POLLIN, 0}, {inputWrite.get(), POLLOUT, 0}};
        if (::poll(watched, 3, static_cast<int>(left.count())) < 0 && errno != EINTR)
            break;
        if (watched[2].revents) {
            const ssize_t count = ::write(inputWrite.get(), input.data() + written, input.size() - written);
            // A command that does not read its input closes the pipe; that is its right.
            if (count < 0 && errno != EAGAIN) {
                inputWrite.reset();
                const timespec now{};
                ::sigtimedwait(&brokenPipe, nullptr, &now);
            }
            else if (count > 0 && (written += static_cast<std::size_t>(count)) == input.size())
                inputWrite.reset();
        }
        if (watched[1].revents) {
            char buffer[1024];
            const ssize_t count = ::read(outputRead.get(), buffer, sizeof buffer);
            if (count <= 0)
                outputRead.reset();
            else
                output.append(buffer, static_cast<std::size_t>(count));
            if (output.size() > kKeptOutput)
                output.erase(0, output.size() - kKeptOutput);
        }
        if (watched[0].revents) {
            // What the command left running in the background ends with it; the shell, not yet
            // reaped, keeps the group's number from being taken meanwhile.
            ::kill(-pid, SIGKILL);
            if (::waitpid(pid, &waitStatus, WNOHANG) == pid)
                break;
        }
    }
    readRest(outputRead.get(), output);
    outcome.status = outcome.timedOut ? -1 : exitStatus(waitStatus);
    outcome.lastLine = lastLineOf(output);
    return outcome;
}
