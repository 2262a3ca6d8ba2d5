#include "crc.h"

#include <zlib.h>

namespace marquis::unit {

std::uint16_t crc16(std::span<const std::uint8_t> bytes)
{
    std::uint16_t crc = 0xFFFF;
    for (const std::uint8_t byte : bytes) {
        crc = static_cast<std::uint16_t>(crc ^ (byte << 8));
        for (int bit = 0; bit < 8; ++bit) {
            const bool top = (crc & 0x8000) != 0;
            crc = static_cast<std::uint16_t>(crc << 1);
            if (top)
                crc = static_cast<std::uint16_t>(crc ^ 0x1021);
        }
    }
    return crc;
}

std::uint32_t crc32(std::span<const std::uint8_t> bytes)
{
    // zlib takes at most a uInt per call; images are far smaller, but feed it in pieces anyway.
    uLong crc = ::crc32(0L, Z_NULL, 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t piece = std::min<std::size_t>(bytes.size() - done, 1u << 30);
        crc = ::crc32(crc, bytes.data() + done, static_cast<uInt>(piece));
        done += piece;
    }
    return static_cast<std::uint32_t>(crc);
}

} // namespace marquis::unit
