#pragma once

#include "unitlink/flashsummary.h"

#include <cstdint>
#include <string>
#include <vector>

namespace marquis::unit {

// The unit's flash memory: the programmed image, kept in a file so that it survives the
// simulator (no file: in memory only). An erased flash holds nothing.
class FlashStore {
public:
    FlashStore(std::string file, std::uint32_t capacity);

    // Reads the file; a missing file is an erased flash. False with the reason in `error`.
    bool load(std::string& error);
    // Replaces the contents and stores them; false with the reason in `error`.
    bool store(std::vector<std::uint8_t> contents, std::string& error);

    const std::vector<std::uint8_t>& contents() const { return m_contents; }
    std::uint32_t capacity() const { return m_capacity; }
    // Size, CRC-32 and content CRC of what it holds.
    const FlashSummary& summary() const { return m_summary; }

private:
    std::string m_file;
    std::uint32_t m_capacity;
    std::vector<std::uint8_t> m_contents;
    FlashSummary m_summary;
};

} // namespace marquis::unit
