#pragma once

#include <span>
#include <string_view>

namespace marquis::cli {

// The arguments after the command name.
using Arguments = std::span<const std::string_view>;

// Each command reads its input, writes its result to standard output and returns normally on
// success; any failure leaves as a CommandError.

// JSON fields of one message on stdin; its SUB text on stdout.
void makeCommand(Arguments arguments);
// A SUB text on stdin; the JSON of its fields on stdout.
void readCommand(Arguments arguments);
// The check value of stdin's bytes.
void crcCommand(Arguments arguments);
// One line per message of a script file.
void listCommand(Arguments arguments);

} // namespace marquis::cli
