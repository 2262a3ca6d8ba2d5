#include "platform/posixprocesses.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <cstring>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace marquis {
namespace {

class PosixProcess : public RunningProcess {
public:
    explicit PosixProcess(pid_t pid) : m_pid(pid) { }
    ~PosixProcess() override
    {
        // A program still running when its handle goes is ended, so no child is left behind.
        if (!m_exitCode) {
            kill();
        }
    }
    PosixProcess(const PosixProcess&) = delete;
    PosixProcess& operator=(const PosixProcess&) = delete;

    std::optional<int> poll() override
    {
        if (m_exitCode)
            return m_exitCode;
        int status = 0;
        const pid_t ended = ::waitpid(m_pid, &status, WNOHANG);
        if (ended == m_pid)
            m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        else if (ended < 0 && errno != EINTR)
            m_exitCode = -1;  // not our child any more: nothing left to wait for
        return m_exitCode;
    }

    void kill() override
    {
        if (m_exitCode)
            return;
        ::kill(m_pid, SIGKILL);
        int status = 0;
        while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) { }
        m_exitCode = -SIGKILL;
    }

private:
    pid_t m_pid;
    std::optional<int> m_exitCode;
};

}  // namespace

std::unique_ptr<RunningProcess> PosixProcesses::start(const std::string& program,
    const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
    bool visible, std::string& error)
{
    // The editor's own variables, but those the caller sets, followed by the caller's.
    std::vector<std::string> variables;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view variable(*entry);
        const std::string_view name = variable.substr(0, variable.find('=') + 1);
        const bool replaced = std::any_of(environment.begin(), environment.end(),
            [&](const std::string& own) { return own.starts_with(name); });
        if (!replaced)
            variables.emplace_back(variable);
    }
    variables.insert(variables.end(), environment.begin(), environment.end());
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);

    std::vector<std::string> words { program };
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // A hidden tool says what it has to say in its status file; what it prints goes nowhere, as
    // a hidden window would show it to no one.
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    if (!visible) {
        ::posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    }
    pid_t pid = 0;
    const int result = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    ::posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        error = std::strerror(result);
        return nullptr;
    }
    return std::make_unique<PosixProcess>(pid);
}

}  // namespace marquis
