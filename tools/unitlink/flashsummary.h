#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace marquis::unit {

// What a unit reports about its flash, and what tells whether it holds a given image.
//
// An image ends in the CRC-32 of everything before it, and the CRC-32 of any data that ends in
// its own CRC-32 is one and the same constant; so is the CRC-32 of such data started from any
// other value, as long as the size is the same. The CRC-32 of the whole flash therefore says
// only "some image of this size". The content CRC, over everything but the last four bytes,
// is what tells two images apart (for an image it is the check value at its end); together
// with the whole flash's CRC-32 it covers the last four bytes as well.
struct FlashSummary {
    std::uint32_t size = 0;
    std::uint32_t crc = 0; // CRC-32 of the whole flash
    // CRC-32 of the flash without its last four bytes (of nothing when it is shorter). Units
    // of protocol version 1 do not report it.
    std::optional<std::uint32_t> contentCrc;

    // The summary of `bytes`, as a unit holding them reports it.
    static FlashSummary of(std::span<const std::uint8_t> bytes);
};

// The CRC-32 of `bytes` without their last four.
std::uint32_t contentCrc32(std::span<const std::uint8_t> bytes);

enum class FlashMatch {
    Same,
    Different,
    // Size and CRC-32 agree, but the unit does not report its content CRC: it holds an image
    // of this size, not necessarily this one.
    Unknown,
};

// Whether a flash as a unit reports it holds exactly `image`.
FlashMatch compareFlash(const FlashSummary& flash, std::span<const std::uint8_t> image);

} // namespace marquis::unit
