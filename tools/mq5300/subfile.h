#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::cli {

// One SUB block of a script file: from its "SUB " line up to and including its "END SUB" line.
struct SubBlock {
    int number = 0;
    std::string text; // Windows-1252, line ends as in the file
    std::size_t line = 0; // the file line of the SUB line, 1 for the first
};

struct ScriptFile {
    int unitLines = 4; // from the display type in the file's header
    std::vector<SubBlock> blocks; // in the order of the file
    std::vector<std::string> problems; // one line each: blocks skipped, blocks left open
};

// The message number of a "SUB n(...)" line; no value when the line is not a SUB line or its
// number is missing. The number is not range checked; a huge one is clamped.
std::optional<long long> subNumber(std::string_view line);

// Splits a script file into its SUB blocks. A block whose number is outside the message range
// or missing is skipped with a problem; a block that runs to the end of the file or into the
// next SUB line is kept, also with a problem. The display type "(5320)" gives 2 lines, any other
// text 4 lines.
ScriptFile splitScriptFile(std::string_view bytes);

} // namespace marquis::cli
