#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace marquis::unit {

// Reads a whole file; false with the reason in `error`.
bool readBinaryFile(const std::string& path, std::vector<std::uint8_t>& bytes, std::string& error);

// Writes a whole file through a temporary beside it, so that a failure never leaves half a file
// under the name; false with the reason in `error`.
bool writeBinaryFile(
    const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

// "0x1A2B3C4D"
std::string hex32(std::uint32_t value);

} // namespace marquis::unit
