#include "unitlink/crc.h"
#include "unitlink/frame.h"

#include <gtest/gtest.h>
#include <string_view>

namespace marquis::unit {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return { text.begin(), text.end() };
}

Frame sample(std::uint8_t sequence = 7, std::size_t length = 300)
{
    Frame frame { 12, sequence, 0x04, {} };
    for (std::size_t i = 0; i < length; ++i)
        frame.payload.push_back(static_cast<std::uint8_t>(i * 7));
    return frame;
}

std::vector<Received> decodeAll(const std::vector<std::uint8_t>& line)
{
    FrameDecoder decoder;
    decoder.feed(line);
    std::vector<Received> found;
    while (auto received = decoder.next())
        found.push_back(*received);
    return found;
}

TEST(Crc, MatchesTheStandardCheckValues)
{
    EXPECT_EQ(crc16(bytesOf("123456789")), 0x29B1);
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32({}), 0u);
}

TEST(Frame, RoundTripsWhetherFedAtOnceOrByteByByte)
{
    const Frame sent = sample();
    const auto line = encodeFrame(sent);
    ASSERT_EQ(line.size(), sent.payload.size() + FrameOverhead);

    FrameDecoder decoder;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        decoder.feed(std::span(line).subspan(i, 1));
        ASSERT_FALSE(decoder.next().has_value()) << "a frame before its last byte, at " << i;
    }
    decoder.feed(std::span(line).last(1));
    const auto received = decoder.next();
    ASSERT_TRUE(received);
    EXPECT_FALSE(received->damaged);
    EXPECT_EQ(received->frame.address, 12);
    EXPECT_EQ(received->frame.sequence, 7);
    EXPECT_EQ(received->frame.command, 0x04);
    EXPECT_EQ(received->frame.payload, sent.payload);

    EXPECT_EQ(decodeAll(encodeFrame(Frame { 0, 0, 1, {} })).size(), 1u); // empty payload
    EXPECT_THROW(encodeFrame(sample(0, MaxPayload + 1)), std::length_error);
}

TEST(Frame, GarbageBeforeAFrameIsSkipped)
{
    // Includes start bytes that begin no sound header.
    std::vector<std::uint8_t> line { 0x00, 0xA5, 0xFF, 0xA5, 0xA5, 0x13, 0x37, 0xA5 };
    const auto frame = encodeFrame(sample());
    line.insert(line.end(), frame.begin(), frame.end());
    FrameDecoder decoder;
    decoder.feed(line);
    const auto received = decoder.next();
    ASSERT_TRUE(received);
    EXPECT_FALSE(received->damaged);
    EXPECT_EQ(received->frame.payload, sample().payload);
    EXPECT_EQ(decoder.skippedBytes(), 8u);
}

TEST(Frame, DamageIsReportedWithTheHeaderAndTheNextFrameIsStillFound)
{
    auto first = encodeFrame(sample(1));
    const auto second = encodeFrame(sample(2));

    // A changed payload byte: damaged, but its sequence number is known.
    first[FrameHeaderSize + 10] ^= 0x40;
    auto line = first;
    line.insert(line.end(), second.begin(), second.end());
    auto found = decodeAll(line);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_TRUE(found[0].damaged);
    EXPECT_EQ(found[0].frame.sequence, 1);
    EXPECT_FALSE(found[1].damaged);
    EXPECT_EQ(found[1].frame.sequence, 2);

    // Lost payload bytes: the frame takes bytes of the next one, fails its CRC, and the
    // next frame is found behind its start byte.
    line = encodeFrame(sample(1));
    line.erase(line.begin() + 20, line.begin() + 25);
    line.insert(line.end(), second.begin(), second.end());
    found = decodeAll(line);
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(found.back().damaged);
    EXPECT_EQ(found.back().frame.sequence, 2);
    EXPECT_EQ(found.back().frame.payload, sample(2).payload);

    // A damaged length (header CRC fails): skipped without waiting for its bytes.
    line = encodeFrame(sample(1));
    line[5] ^= 0x01;
    line.insert(line.end(), second.begin(), second.end());
    found = decodeAll(line);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].frame.sequence, 2);
}

TEST(Frame, AnAbandonedPartialFrameIsGivenUpOnExpiry)
{
    const auto line = encodeFrame(sample(9));
    FrameDecoder decoder;
    decoder.feed(std::span(line).first(100));
    EXPECT_FALSE(decoder.next());
    EXPECT_TRUE(decoder.hasPartialFrame());
    const auto abandoned = decoder.expire();
    ASSERT_TRUE(abandoned);
    EXPECT_TRUE(abandoned->damaged);
    EXPECT_EQ(abandoned->frame.sequence, 9);
    // Afterwards a complete frame is decoded normally.
    decoder.feed(encodeFrame(sample(10)));
    std::optional<Received> next;
    while ((next = decoder.next()) && next->damaged) { }
    ASSERT_TRUE(next);
    EXPECT_EQ(next->frame.sequence, 10);
}

} // namespace
} // namespace marquis::unit
