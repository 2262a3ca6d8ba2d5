#pragma once

#include <chrono>
#include <csignal>
#include <string>
#include <sys/types.h>
#include <vector>

namespace marquis::testing {

// The simulated unit running in the background for a test: started with the given options
// (plus --link), waited for until it says its line is ready, stopped with SIGTERM when the
// object goes.
class SimulatorProcess {
public:
    SimulatorProcess(const std::string& linkPath, const std::vector<std::string>& options,
        std::chrono::milliseconds readyLimit = std::chrono::seconds(10));
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    bool ready() const { return m_ready; }
    // Sends `signal` and waits; the exit code (-1 when it had to be killed or was killed by
    // the signal).
    int stop(int signal = SIGTERM);
    // What the simulator wrote to stdout before it was ready, and to stderr when it failed.
    const std::string& output() const { return m_output; }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    bool m_ready = false;
    std::string m_output;
};

} // namespace marquis::testing
