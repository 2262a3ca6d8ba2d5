#include "support/processrunner.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace marquis::testing {
namespace {

// Both ends of a pipe, closed when the object goes.
class Pipe {
public:
    Pipe()
    {
        if (::pipe2(m_ends.data(), O_CLOEXEC) != 0)
            m_ends = { -1, -1 };
    }
    ~Pipe()
    {
        closeEnd(0);
        closeEnd(1);
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;

    bool valid() const { return m_ends[0] >= 0; }
    int end(int which) const { return m_ends[static_cast<std::size_t>(which)]; }
    void closeEnd(int which)
    {
        int& fd = m_ends[static_cast<std::size_t>(which)];
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }

private:
    std::array<int, 2> m_ends {};
};

std::vector<std::string> mergedEnvironment(const std::vector<std::string>& extra)
{
    std::vector<std::string> merged;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view current(*entry);
        const std::string_view name = current.substr(0, current.find('='));
        bool replaced = false;
        for (const std::string& added : extra)
            replaced = replaced || std::string_view(added).substr(0, added.find('=')) == name;
        if (!replaced)
            merged.emplace_back(current);
    }
    merged.insert(merged.end(), extra.begin(), extra.end());
    return merged;
}

std::vector<char*> pointers(std::vector<std::string>& texts)
{
    std::vector<char*> result;
    for (std::string& text : texts)
        result.push_back(text.data());
    result.push_back(nullptr);
    return result;
}

// Reads what is there; false at the end of the stream.
bool drain(int fd, std::string& into)
{
    char buffer[65536];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count > 0) {
        into.append(buffer, static_cast<std::size_t>(count));
        return true;
    }
    return count < 0 && (errno == EINTR || errno == EAGAIN);
}

} // namespace

ProcessResult runProcess(const std::vector<std::string>& arguments, std::string_view input,
    const std::vector<std::string>& environment, std::chrono::seconds limit)
{
    ProcessResult result;
    Pipe in;
    Pipe out;
    Pipe err;
    if (arguments.empty() || !in.valid() || !out.valid() || !err.valid()) {
        result.errors = "runProcess: no program or no pipes";
        return result;
    }

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in.end(0), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out.end(1), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.end(1), STDERR_FILENO);
    // The child gets the default SIGPIPE action even though this process ignores it.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    std::vector<std::string> argumentCopy = arguments;
    std::vector<std::string> environmentCopy = mergedEnvironment(environment);
    std::vector<char*> argv = pointers(argumentCopy);
    std::vector<char*> envp = pointers(environmentCopy);
    pid_t pid = 0;
    const int spawned =
        posix_spawnp(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (spawned != 0) {
        result.errors = "runProcess: cannot start " + arguments[0] + ": " + std::strerror(spawned);
        return result;
    }
    in.closeEnd(0);
    out.closeEnd(1);
    err.closeEnd(1);

    // A child that stops reading early must not kill this process with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    ::fcntl(in.end(1), F_SETFL, O_NONBLOCK);
    if (input.empty())
        in.closeEnd(1);

    const auto deadline = std::chrono::steady_clock::now() + limit;
    bool outOpen = true;
    bool errOpen = true;
    while (outOpen || errOpen || in.end(1) >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            ::kill(pid, SIGKILL);
            result.timedOut = true;
            break;
        }
        std::array<pollfd, 3> fds { { { outOpen ? out.end(0) : -1, POLLIN, 0 },
            { errOpen ? err.end(0) : -1, POLLIN, 0 }, { in.end(1), POLLOUT, 0 } } };
        if (::poll(fds.data(), fds.size(), static_cast<int>(left.count())) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents != 0)
            outOpen = drain(out.end(0), result.output);
        if (fds[1].revents != 0)
            errOpen = drain(err.end(0), result.errors);
        if (fds[2].revents & (POLLERR | POLLHUP)) {
            in.closeEnd(1); // the child closed its stdin; the rest of the input is not wanted
        } else if (fds[2].revents & POLLOUT) {
            const ssize_t written = ::write(in.end(1), input.data(), input.size());
            if (written > 0)
                input.remove_prefix(static_cast<std::size_t>(written));
            else if (written < 0 && errno != EAGAIN && errno != EINTR)
                input = {};
            if (input.empty())
                in.closeEnd(1);
        }
    }

    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
    if (WIFEXITED(status) && !result.timedOut)
        result.exitCode = WEXITSTATUS(status);
    return result;
}

bool onPath(std::string_view program)
{
    const char* path = std::getenv("PATH");
    std::string_view rest = path == nullptr ? "" : path;
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::filesystem::path candidate =
            std::filesystem::path(rest.substr(0, colon)) / program;
        if (::access(candidate.c_str(), X_OK) == 0)
            return true;
        rest = colon == std::string_view::npos ? std::string_view {} : rest.substr(colon + 1);
    }
    return false;
}

} // namespace marquis::testing
