#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marquis::cli {

// One message of a script file as the editor sees it.
struct ListedMessage {
    int number = 0;
    int task = 0;
    bool holds = true; // its check value matches its text
    std::string text; // the visible text of its lines, UTF-8, joined with " | "
};

// Every message of a script file, the numbers of the records that were left out because they
// lie outside 0..1023, and the line from which the file was not read (a SUB line without "(").
struct ScriptListing {
    std::vector<ListedMessage> messages;
    std::vector<long long> leftOut;
    std::optional<int> unreadFromLine;
};

// Opens the script file the way the editor does and reads every message from it; what is worth
// knowing about the file goes to standard error. A CommandError when it is no regular file, is
// too large, cannot be read or is no script file.
ScriptListing listScriptFile(const std::string& path);

// The listing line of one message.
std::string listingLine(const ListedMessage& message);

} // namespace marquis::cli
