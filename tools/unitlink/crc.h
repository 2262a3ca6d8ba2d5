#pragma once

#include <cstdint>
#include <span>

namespace marquis::unit {

// CRC-16/CCITT-FALSE (polynomial 0x1021, start 0xFFFF): guards a frame's header, so that a
// damaged length never makes a receiver wait for bytes that belong to the next frame.
std::uint16_t crc16(std::span<const std::uint8_t> bytes);

// CRC-32 as zlib computes it: guards a whole frame and identifies a flash image.
std::uint32_t crc32(std::span<const std::uint8_t> bytes);

} // namespace marquis::unit
