#pragma once

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::testing {

struct ProcessResult {
    int exitCode = -1; // -1 when the program could not be started or did not exit normally
    bool timedOut = false; // killed after the time limit
    std::string output; // everything written to stdout
    std::string errors; // everything written to stderr; says why a start failed
};

// Runs a program without a shell: arguments[0] is the program (searched on PATH when it has no
// slash), the rest its arguments. `input` is written to its stdin while stdout and stderr are
// read, so no pipe can fill up and block either side. `environment` entries ("NAME=value") are
// added to, or replace, the inherited environment. A program still running after `limit` is
// killed.
ProcessResult runProcess(const std::vector<std::string>& arguments, std::string_view input = {},
    const std::vector<std::string>& environment = {},
    std::chrono::seconds limit = std::chrono::seconds(120));

// True when `program` names an executable file on PATH.
bool onPath(std::string_view program);

} // namespace marquis::testing
