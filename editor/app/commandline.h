#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marquis {

// What the editor was asked to do by its command line.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    // The script file to open after start-up (Run only).
    std::optional<std::string> file;
    // One line saying what was wrong (Error only).
    std::string error;
};

// Reads the arguments after the program name. --help and --version win over anything else on
// the line, so that they work even beside options the toolkit would take out later; "--" ends
// the options, so a file whose name starts with "-" can be opened too.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints, ending in a line break.
std::string commandLineHelp();
// The text --version prints, ending in a line break.
std::string commandLineVersion();

} // namespace marquis
