#include "support/simulatorprocess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace marquis::testing {

SimulatorProcess::SimulatorProcess(const std::string& linkPath,
    const std::vector<std::string>& options, std::chrono::milliseconds readyLimit)
{
    int pipeEnds[2] = { -1, -1 };
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> arguments { std::string(MARQUIS_BIN_DIR) + "/unit5300-sim", "--link",
        linkPath };
    arguments.insert(arguments.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    const int spawned = ::posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeEnds[1]);
    m_out = pipeEnds[0];
    if (spawned != 0) {
        m_pid = -1;
        m_output = "cannot start the simulator";
        return;
    }
    // Ready once it prints the link's path on a line of its own.
    const auto deadline = std::chrono::steady_clock::now() + readyLimit;
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd waitFor { m_out, POLLIN, 0 };
        if (::poll(&waitFor, 1, 100) <= 0)
            continue;
        char buffer[512];
        const ssize_t count = ::read(m_out, buffer, sizeof buffer);
        if (count <= 0)
            break;
        m_output.append(buffer, static_cast<std::size_t>(count));
        if (m_output.find(linkPath + "\n") != std::string::npos) {
            m_ready = true;
            break;
        }
    }
    // The rest of its output is not wanted; it must not block on a full pipe.
    ::fcntl(m_out, F_SETFL, O_NONBLOCK);
}

int SimulatorProcess::stop(int signal)
{
    if (m_pid < 0)
        return -1;
    ::kill(m_pid, signal);
    int status = 0;
    int code = -1;
    for (int i = 0; i < 100; ++i) {
        char buffer[4096];
        while (::read(m_out, buffer, sizeof buffer) > 0) { }
        if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
            code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            m_pid = -1;
            return code;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, &status, 0);
    m_pid = -1;
    return code;
}

SimulatorProcess::~SimulatorProcess()
{
    stop();
    if (m_out >= 0)
        ::close(m_out);
}

} // namespace marquis::testing
