#pragma once

#include <string>
#include <vector>

namespace marquis::testing {

// The rows of a simulated unit's display file once row `row` (1 is the top) shows `expected`,
// or the last rows seen when it does not within a few seconds.
std::vector<std::string> displayRowsShowing(
    const std::string& displayFile, int row, const std::string& expected);

// The bytes of a file the simulator appends to (its serial output) once it holds at least
// `size` bytes, or what it holds when it does not within a few seconds.
std::string fileHoldingAtLeast(const std::string& path, std::size_t size);

} // namespace marquis::testing
