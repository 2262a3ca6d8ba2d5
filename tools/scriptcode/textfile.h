#pragma once

// Whole-file reads and writes, byte for byte, and the split of a text into its lines.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::unit {

std::optional<std::string> readFile(const std::filesystem::path& file);
// False when the file could not be written completely.
bool writeFile(const std::filesystem::path& file, std::string_view bytes);
// Removes a file if it is there; false only when it is there and stays.
bool removeFile(const std::filesystem::path& file);

// The lines of a text without their line ends (CR LF, LF or a lone CR); a final line end does
// not start another line.
std::vector<std::string_view> splitLines(std::string_view text);

} // namespace marquis::unit
