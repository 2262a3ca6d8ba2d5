#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace marquis {

// A started outside program.
class RunningProcess {
public:
    virtual ~RunningProcess() = default;
    // The exit code once the program has ended (a program ended by a signal gives a negative
    // code); no value while it runs. Never blocks.
    virtual std::optional<int> poll() = 0;
    // Ends the program at once.
    virtual void kill() = 0;
};

// Starts outside programs with an argument vector, never through a shell command line, so
// blanks and quotes in paths are harmless.
class ProcessPort {
public:
    virtual ~ProcessPort() = default;
    // The running program, or nullptr with the reason in `error` when it cannot be started.
    // `visible` asks for a normal window where the platform has such a thing. The program
    // inherits the editor's environment with `environment`'s "NAME=value" entries put over it.
    virtual std::unique_ptr<RunningProcess> start(const std::string& program,
        const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
        bool visible, std::string& error) = 0;
};

}  // namespace marquis
