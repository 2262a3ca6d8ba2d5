#include "frame.h"

#include "crc.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace marquis::unit {

std::vector<std::uint8_t> encodeFrame(const Frame& frame)
{
    if (frame.payload.size() > MaxPayload)
        throw std::length_error("frame payload too long");
    const auto length = static_cast<std::uint16_t>(frame.payload.size());
    std::vector<std::uint8_t> bytes { FrameStart, frame.address, frame.sequence, frame.command,
        static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8) };
    const std::uint16_t headerCrc = crc16(bytes);
    bytes.push_back(static_cast<std::uint8_t>(headerCrc));
    bytes.push_back(static_cast<std::uint8_t>(headerCrc >> 8));
    bytes.insert(bytes.end(), frame.payload.begin(), frame.payload.end());
    const std::uint32_t crc = crc32(bytes);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>(crc >> shift));
    return bytes;
}

void FrameDecoder::feed(std::span<const std::uint8_t> bytes)
{
    m_buffer.insert(m_buffer.end(), bytes.begin(), bytes.end());
}

void FrameDecoder::skipToStart(std::size_t from)
{
    const auto start =
        std::find(m_buffer.begin() + static_cast<std::ptrdiff_t>(from), m_buffer.end(), FrameStart);
    const auto skipped = static_cast<std::size_t>(start - m_buffer.begin());
    m_skipped += skipped;
    m_buffer.erase(m_buffer.begin(), start);
}

std::optional<Received> FrameDecoder::expire()
{
    skipToStart(0);
    if (m_buffer.empty())
        return std::nullopt;
    std::optional<Received> abandoned;
    if (m_buffer.size() >= FrameHeaderSize) {
        std::array<std::uint8_t, FrameHeaderSize> header {};
        std::copy_n(m_buffer.begin(), FrameHeaderSize, header.begin());
        if (crc16(std::span(header).first(6)) == (header[6] | (header[7] << 8))) {
            abandoned = Received { true, Frame { header[1], header[2], header[3], {} } };
        }
    }
    skipToStart(1);
    return abandoned;
}

std::optional<Received> FrameDecoder::next()
{
    for (;;) {
        skipToStart(0);
        if (m_buffer.size() < FrameHeaderSize)
            return std::nullopt;
        std::array<std::uint8_t, FrameHeaderSize> header {};
        std::copy_n(m_buffer.begin(), FrameHeaderSize, header.begin());
        const std::uint16_t headerCrc = static_cast<std::uint16_t>(header[6] | (header[7] << 8));
        const std::size_t length = static_cast<std::size_t>(header[4] | (header[5] << 8));
        if (crc16(std::span(header).first(6)) != headerCrc || length > MaxPayload) {
            skipToStart(1); // a start byte inside garbage, or a damaged header
            continue;
        }
        const std::size_t total = FrameHeaderSize + length + FrameTrailerSize;
        if (m_buffer.size() < total)
            return std::nullopt;

        std::vector<std::uint8_t> bytes(
            m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(total));
        const std::size_t body = total - FrameTrailerSize;
        std::uint32_t sent = 0;
        for (std::size_t i = 0; i < FrameTrailerSize; ++i)
            sent |= static_cast<std::uint32_t>(bytes[body + i]) << (8 * i);

        Received received;
        received.frame.address = header[1];
        received.frame.sequence = header[2];
        received.frame.command = header[3];
        if (crc32(std::span(bytes).first(body)) != sent) {
            // The bytes after this start may hold the next frame (bytes of this one were lost).
            received.damaged = true;
            skipToStart(1);
            return received;
        }
        received.frame.payload.assign(bytes.begin() + FrameHeaderSize, bytes.begin() + body);
        m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(total));
        return received;
    }
}

} // namespace marquis::unit
