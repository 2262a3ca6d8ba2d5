#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marquis::unit {

// The unit commands, by the letter on the command line.
enum class UnitCommand { Version, Program, CallUp, Erase, Reboot, SendMessage, ReadFlash };

// A command and its list file, checked.
struct Invocation {
    UnitCommand command = UnitCommand::Version;
    std::vector<std::string> leading; // the command's own lines, before the settings
    int address = 0;
    int baud = 9600;
    int comPort = 1;
    int memoryCode = 0x80;
    std::string statusBase;
};

struct ListProblem {
    std::string message;
    std::string statusBase; // "" when the list does not tell where the report goes
};

// The command of a command-line letter ("" for a reboot).
std::optional<UnitCommand> commandOfLetter(const std::string& letter);
std::string commandName(UnitCommand command);

// Reads the lines of a list file: CR LF (or LF) line ends; the empty lines at its end are not
// arguments.
std::vector<std::string> listLines(const std::string& content);

// Checks the lines against what the command needs. On a problem, `problem` says what is wrong
// and, when the list names it, where the report goes.
std::optional<Invocation> parseInvocation(
    UnitCommand command, const std::vector<std::string>& lines, ListProblem& problem);

} // namespace marquis::unit
