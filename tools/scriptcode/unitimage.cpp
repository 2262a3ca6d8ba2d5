#include "scriptcode/displayunit.h"

#include <algorithm>
#include <zlib.h>

namespace marquis::unit {
namespace {

// Layout (docs/bin-format.md): a 16-byte header, 1024 directory entries of 12 bytes, the code,
// and the CRC-32 of everything before it. Numbers are little-endian.
constexpr std::uint8_t Magic[4] = { 'M', 'Q', 'U', 'I' };
constexpr int FormatVersion = 1;
constexpr std::size_t HeaderSize = 16;
constexpr std::size_t EntrySize = 12;
constexpr std::size_t DirectorySize = EntrySize * ImageMessageCount;
constexpr std::size_t FixedSize = HeaderSize + DirectorySize + 4;

void put16(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

std::uint32_t get16(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return static_cast<std::uint32_t>(in[at] | (in[at + 1] << 8));
}

std::uint32_t get32(const std::vector<std::uint8_t>& in, std::size_t at)
{
    return get16(in, at) | (get16(in, at + 2) << 16);
}

std::uint32_t crcOf(const std::uint8_t* data, std::size_t size)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes lengths as uInt; large buffers go in pieces.
    while (size > 0) {
        const auto piece = static_cast<uInt>(std::min<std::size_t>(size, 1U << 30));
        crc = crc32(crc, data, piece);
        data += piece;
        size -= piece;
    }
    return static_cast<std::uint32_t>(crc);
}

} // namespace

std::uint32_t imageChecksum(const std::vector<std::uint8_t>& bytes)
{
    return crcOf(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> UnitImage::serialize() const
{
    std::vector<std::uint8_t> out;
    out.reserve(FixedSize + code.size());
    out.insert(out.end(), std::begin(Magic), std::end(Magic));
    put16(out, FormatVersion);
    out.push_back(static_cast<std::uint8_t>(scriptVersion));
    out.push_back(static_cast<std::uint8_t>(memoryCode));
    put32(out, ImageMessageCount);
    put32(out, static_cast<std::uint32_t>(code.size()));
    for (const Entry& entry : directory) {
        // An absent message has no place in the code.
        put32(out, entry.length == 0 ? 0 : entry.offset);
        put32(out, entry.length);
        out.push_back(entry.length == 0 ? 0 : entry.task);
        out.insert(out.end(), 3, 0);
    }
    out.insert(out.end(), code.begin(), code.end());
    put32(out, crcOf(out.data(), out.size()));
    return out;
}

std::optional<UnitImage> UnitImage::parse(
    const std::vector<std::uint8_t>& bytes, std::string& error)
{
    if (bytes.size() < FixedSize) {
        error = "too short for a unit image (" + std::to_string(bytes.size()) + " bytes)";
        return std::nullopt;
    }
    if (!std::equal(std::begin(Magic), std::end(Magic), bytes.begin())) {
        error = "not a unit image (wrong magic)";
        return std::nullopt;
    }
    if (get16(bytes, 4) != FormatVersion) {
        error = "unknown image format version " + std::to_string(get16(bytes, 4));
        return std::nullopt;
    }
    const std::size_t crcAt = bytes.size() - 4;
    if (get32(bytes, crcAt) != crcOf(bytes.data(), crcAt)) {
        error = "CRC mismatch: the image is damaged";
        return std::nullopt;
    }
    UnitImage image;
    image.scriptVersion = bytes[6];
    image.memoryCode = bytes[7];
    if (image.scriptVersion != 1 && image.scriptVersion != 2) {
        error = "unknown script version " + std::to_string(image.scriptVersion);
        return std::nullopt;
    }
    if (image.memoryCode != 0x40 && image.memoryCode != 0x80) {
        error = "unknown memory code " + std::to_string(image.memoryCode);
        return std::nullopt;
    }
    if (get32(bytes, 8) != ImageMessageCount) {
        error = "the directory does not hold 1024 messages";
        return std::nullopt;
    }
    const std::uint64_t codeSize = get32(bytes, 12);
    if (codeSize != bytes.size() - FixedSize) {
        error = "the code size does not match the image size";
        return std::nullopt;
    }
    for (std::size_t i = 0; i < ImageMessageCount; ++i) {
        const std::size_t at = HeaderSize + i * EntrySize;
        Entry& entry = image.directory[i];
        entry.offset = get32(bytes, at);
        entry.length = get32(bytes, at + 4);
        entry.task = bytes[at + 8];
        const bool reservedZero = bytes[at + 9] == 0 && bytes[at + 10] == 0 && bytes[at + 11] == 0;
        const bool absentClean = entry.length != 0 || (entry.offset == 0 && entry.task == 0);
        if (entry.task > 3 || !reservedZero || !absentClean ||
            std::uint64_t { entry.offset } + entry.length > codeSize) {
            error = "directory entry " + std::to_string(i) + " is invalid";
            return std::nullopt;
        }
    }
    const auto codeBegin = bytes.begin() + static_cast<long>(HeaderSize + DirectorySize);
    image.code.assign(codeBegin, codeBegin + static_cast<long>(codeSize));
    return image;
}

} // namespace marquis::unit
