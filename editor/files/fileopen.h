#pragma once

#include "files/filesystem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace marquis {

// What one pass over a script file finds: the unit model and language version of its header
// lines and where each message's SUB line starts.
struct ScriptScan {
    struct Message {
        int number = 0;
        std::int32_t offset = 0; // 1-based byte position of the SUB line
        std::optional<int> task;
    };

    std::optional<std::string> unitType; // "5320" or "5360"
    std::optional<std::string> version; // "1" or "2"
    // Not a script file: "Display_type" without a model, or text without a single SUB line.
    bool rejected = false;
    bool anyLine = false;
    std::vector<Message> messages;
    std::vector<long long> skippedNumbers; // SUB numbers outside 0..1023
    // The line (1 is the first) of a SUB line without "(", where the reading ended although
    // more of the file follows.
    std::optional<int> stoppedAtLine;
};

// Reads the file from its start. `progress` gets the share read so far, in percent, after every
// line. A SUB line without "(" ends the reading as the end of the file would; a damaged file
// (NUL bytes, long lines, bytes above 127) is read without harm.
ScriptScan scanScriptFile(InputFile& file, const std::function<void(int percent)>& progress);

// The status text while a file is being opened.
std::string openingStatus(const std::string& fileName, std::uint64_t total, int percent);

} // namespace marquis
