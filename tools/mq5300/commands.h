#pragma once

#include <span>
#include <string_view>

namespace marquis::cli {

// The arguments after the command name.
using Arguments = std::span<const std::string_view>;

// Each command reads its input, writes its result to standard output and returns its exit
// code; a failure of the input or the environment leaves as a CommandError.

// JSON fields of one message on stdin; its SUB text on stdout.
int makeCommand(Arguments arguments);
// A SUB text on stdin; the JSON of its fields on stdout.
int readCommand(Arguments arguments);
// The check value of stdin's bytes.
int crcCommand(Arguments arguments);
// One line per message of a script file.
int listCommand(Arguments arguments);
// Names the messages of a script file whose text no longer matches its check value; 1 when
// there is any.
int checkCommand(Arguments arguments);
// Prints a script file into a PDF file, as the editor prints it: complete, or message text only.
int printCommand(Arguments arguments);
// The simulated display of one message of a script file over time, one JSON line per sample.
int framesCommand(Arguments arguments);
// Plays a message of a script file on the window's LED panel into an animated GIF file and a
// PNG file of its first frame.
int previewCommand(Arguments arguments);

// Compile and assemble a script file; and the unit commands over the serial link. Each takes
// the options --port, --address, --baud and --model, prints the tools' reports, and exits 1
// when the tool reported a failure.
int buildCommand(Arguments arguments);
int programCommand(Arguments arguments);
int callupCommand(Arguments arguments);
int eraseCommand(Arguments arguments);
int rebootCommand(Arguments arguments);
int readflashCommand(Arguments arguments);
int versionCommand(Arguments arguments);

} // namespace marquis::cli
