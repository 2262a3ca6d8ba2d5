#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <vector>

namespace marquis::unit {

// On the line a frame is
//   start (0xA5), address, sequence, command, payload length (2 bytes, little-endian),
//   CRC-16 of these six bytes (little-endian), payload, CRC-32 of everything before it.
inline constexpr std::uint8_t FrameStart = 0xA5;
inline constexpr std::size_t FrameHeaderSize = 8;
inline constexpr std::size_t FrameTrailerSize = 4;
inline constexpr std::size_t FrameOverhead = FrameHeaderSize + FrameTrailerSize;
inline constexpr std::size_t MaxPayload = 2048;

struct Frame {
    std::uint8_t address = 0;
    std::uint8_t sequence = 0;
    std::uint8_t command = 0;
    std::vector<std::uint8_t> payload;
};

std::vector<std::uint8_t> encodeFrame(const Frame& frame);

// What the decoder found on the line.
struct Received {
    // A frame whose header checks but whose payload or CRC-32 is damaged: its address, sequence
    // and command are known (so the receiver can ask for it again), its payload is not.
    bool damaged = false;
    Frame frame;
};

// Turns the bytes of a line into frames. Bytes before a frame start are skipped; when a frame
// turns out to be damaged, the search starts again at the byte after its start, so a frame that
// follows damaged or lost bytes is still found.
class FrameDecoder {
public:
    void feed(std::span<const std::uint8_t> bytes);
    // The next frame found in what was fed, if any.
    std::optional<Received> next();
    // Gives up on a frame that has started but not finished (the line went quiet): its start
    // byte is skipped and the bytes after it are searched again. Gives the abandoned frame as
    // damaged when its header was sound.
    std::optional<Received> expire();
    void clear() { m_buffer.clear(); }
    bool hasPartialFrame() const { return !m_buffer.empty(); }
    // Bytes thrown away because they did not belong to a sound frame.
    std::size_t skippedBytes() const { return m_skipped; }

private:
    void skipToStart(std::size_t from);

    std::deque<std::uint8_t> m_buffer;
    std::size_t m_skipped = 0;
};

} // namespace marquis::unit
