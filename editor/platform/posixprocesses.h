#pragma once

#include "ports/processport.h"

namespace marquis {

// Starts programs with posix_spawn; the child inherits the editor's current directory and
// environment (with the entries a caller puts over it).
class PosixProcesses : public ProcessPort {
public:
    std::unique_ptr<RunningProcess> start(const std::string& program,
        const std::vector<std::string>& arguments, const std::vector<std::string>& environment,
        bool visible, std::string& error) override;
};

}  // namespace marquis
