#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::unit {

// Appends little-endian numbers and raw bytes to a frame payload.
class PayloadWriter {
public:
    PayloadWriter& u8(std::uint8_t value)
    {
        m_bytes.push_back(value);
        return *this;
    }
    PayloadWriter& u16(std::uint16_t value)
    {
        return u8(static_cast<std::uint8_t>(value)).u8(static_cast<std::uint8_t>(value >> 8));
    }
    PayloadWriter& u32(std::uint32_t value)
    {
        return u16(static_cast<std::uint16_t>(value)).u16(static_cast<std::uint16_t>(value >> 16));
    }
    PayloadWriter& bytes(std::span<const std::uint8_t> data)
    {
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        return *this;
    }
    PayloadWriter& text(std::string_view data)
    {
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        return *this;
    }
    std::vector<std::uint8_t> take() { return std::move(m_bytes); }

private:
    std::vector<std::uint8_t> m_bytes;
};

// Reads little-endian numbers from a payload; reading past the end sets `failed` and gives 0,
// so a short payload is found with one check at the end.
class PayloadReader {
public:
    explicit PayloadReader(std::span<const std::uint8_t> bytes)
        : m_bytes(bytes)
    {
    }
    std::uint8_t u8()
    {
        if (m_position >= m_bytes.size()) {
            m_failed = true;
            return 0;
        }
        return m_bytes[m_position++];
    }
    std::uint16_t u16()
    {
        const std::uint16_t low = u8();
        return static_cast<std::uint16_t>(low | (u8() << 8));
    }
    std::uint32_t u32()
    {
        const std::uint32_t low = u16();
        return low | (static_cast<std::uint32_t>(u16()) << 16);
    }
    // A number that peers of an older protocol version do not send: no value when the payload
    // ends here.
    std::optional<std::uint32_t> optionalU32()
    {
        if (m_bytes.size() - std::min(m_position, m_bytes.size()) < 4)
            return std::nullopt;
        return u32();
    }
    // Everything not read yet.
    std::span<const std::uint8_t> rest()
    {
        const auto result = m_bytes.subspan(std::min(m_position, m_bytes.size()));
        m_position = m_bytes.size();
        return result;
    }
    bool failed() const { return m_failed; }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
    bool m_failed = false;
};

} // namespace marquis::unit
