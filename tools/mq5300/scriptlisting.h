#pragma once

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

// Opens the script file the way the editor does and reads every message from it; what the
// editor would tell the user goes to standard error. A CommandError when it cannot be opened.
std::vector<ListedMessage> listScriptFile(const std::string& path);

// The listing line of one message.
std::string listingLine(const ListedMessage& message);

} // namespace marquis::cli
