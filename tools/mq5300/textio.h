#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace marquis::cli {

// The largest input the tool reads. A script file of every message is a few megabytes; the
// limit keeps an endless or mistaken input from eating all memory.
inline constexpr std::size_t MaxInputBytes = 64u * 1024u * 1024u;

// All bytes of standard input or of a file; a CommandError when they cannot be read or exceed
// MaxInputBytes.
std::string readStandardInput();
std::string readFile(const std::filesystem::path& file);

// Writes the bytes to standard output and flushes; a CommandError when that fails.
void writeStandardOutput(std::string_view bytes);

// Windows-1252 text from UTF-8; a CommandError naming `what` when the text is not UTF-8 or
// holds a character Windows-1252 cannot represent.
std::string windows1252From(std::string_view utf8, std::string_view what);

// A text made safe for a one-line message: control characters become '?' and a text longer
// than `limit` bytes is cut short.
std::string printable(std::string_view text, std::size_t limit = 200);

} // namespace marquis::cli
