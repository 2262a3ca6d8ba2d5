#pragma once

#include <string>
#include <vector>

namespace marquis::testing {

// The rows of a simulated unit's display file once row `row` (1 is the top) shows `expected`,
// or the last rows seen when it does not within a few seconds.
std::vector<std::string> displayRowsShowing(
    const std::string& displayFile, int row, const std::string& expected);

} // namespace marquis::testing
