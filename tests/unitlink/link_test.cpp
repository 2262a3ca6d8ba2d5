#include "unitlink/channel.h"
#include "unitlink/crc.h"
#include "unitlink/frame.h"
#include "unitlink/unitclient.h"
#include "unitlink/unitresponder.h"
#include "unitlink/wire.h"

#include <atomic>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <thread>

namespace marquis::unit {
namespace {

using namespace std::chrono_literals;

// Both ends of a byte stream: the link's and the unit's.
struct Line {
    std::unique_ptr<FdChannel> link;
    std::unique_ptr<FdChannel> unit;
    Line()
    {
        int ends[2] = { -1, -1 };
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
            throw std::runtime_error("no socket pair");
        link = std::make_unique<FdChannel>(ends[0]);
        unit = std::make_unique<FdChannel>(ends[1]);
    }
};

LinkSettings fastSettings(std::uint8_t address = 3)
{
    LinkSettings settings;
    settings.address = address;
    settings.baud = 38400;
    settings.slack = 150ms;
    settings.attempts = 3;
    return settings;
}

// Plays the unit by hand: the next request from the link.
Frame nextRequest(Channel& unit)
{
    FrameDecoder decoder;
    std::array<std::uint8_t, 4096> buffer {};
    std::string error;
    const auto deadline = Clock::now() + 3s;
    while (Clock::now() < deadline) {
        if (auto received = decoder.next())
            return received->frame;
        const long count = unit.read(buffer, deadline, error);
        if (count < 0)
            break;
        decoder.feed(std::span(buffer).first(static_cast<std::size_t>(count)));
    }
    ADD_FAILURE() << "no request came";
    return {};
}

void answer(Channel& unit, const Frame& request, Command command,
    std::vector<std::uint8_t> payload = {}, std::uint8_t address = 3)
{
    std::string error;
    const auto bytes = encodeFrame(Frame {
        address, request.sequence, static_cast<std::uint8_t>(command), std::move(payload) });
    ASSERT_TRUE(unit.write(bytes, Clock::now() + 1s, error)) << error;
}

// A unit whose flash is a plain buffer; it takes everything.
class BufferUnit : public UnitHandler {
public:
    std::vector<std::uint8_t> flash;
    std::vector<std::uint8_t> writing;
    bool programMode = true;

    UnitInfo info() override
    {
        UnitInfo info;
        info.programMode = programMode;
        info.flashSize = static_cast<std::uint32_t>(flash.size());
        return info;
    }
    Refusal erase() override
    {
        if (!programMode)
            return Refusal::NotInProgramMode;
        flash.clear();
        return Refusal::None;
    }
    Refusal beginWrite(std::uint32_t size) override
    {
        writing.assign(size, 0xFF);
        return Refusal::None;
    }
    Refusal writeBlock(std::uint32_t offset, std::span<const std::uint8_t> data) override
    {
        if (offset + data.size() > writing.size())
            return Refusal::OutOfRange;
        std::copy(data.begin(), data.end(), writing.begin() + offset);
        return Refusal::None;
    }
    Refusal endWrite(std::uint32_t& size, std::uint32_t& crc) override
    {
        flash = writing;
        size = static_cast<std::uint32_t>(flash.size());
        crc = crc32(flash);
        return Refusal::None;
    }
    Refusal readBlock(
        std::uint32_t offset, std::uint16_t length, std::vector<std::uint8_t>& data) override
    {
        if (offset + length > flash.size())
            return Refusal::OutOfRange;
        data.assign(flash.begin() + offset, flash.begin() + offset + length);
        return Refusal::None;
    }
    Refusal callUp(int, std::string_view) override { return Refusal::NoSuchMessage; }
    Refusal loadMessage(int, int, std::span<const std::uint8_t>) override { return Refusal::None; }
    Refusal reboot() override { return Refusal::None; }
};

// Runs a responder on the unit's end until stopped, changing every `corruptEvery`-th byte
// that arrives (0: none).
class UnitThread {
public:
    UnitThread(Channel& line, UnitHandler& handler, std::uint8_t address, int corruptEvery)
        : m_thread([this, &line, &handler, address, corruptEvery] {
            UnitResponder responder(address, handler);
            std::array<std::uint8_t, 4096> buffer {};
            std::string error;
            long seen = 0;
            while (!m_stop) {
                const long count = line.read(buffer, Clock::now() + 20ms, error);
                if (count < 0)
                    return;
                auto received = std::span(buffer).first(static_cast<std::size_t>(count));
                for (auto& byte : received) {
                    if (corruptEvery > 0 && ++seen % corruptEvery == 0)
                        byte ^= 0x5A;
                }
                auto out = count > 0 ? responder.receive(received) : responder.lineQuiet();
                if (!out.empty() && !line.write(out, Clock::now() + 1s, error))
                    return;
            }
        })
    {
    }
    ~UnitThread()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

TEST(LinkClient, SendsADamagedFrameAgainAndIgnoresOtherUnitsAndLateAnswers)
{
    Line line;
    LinkClient client(*line.link, fastSettings(), 200);
    Exchange result;
    std::thread link([&] { result = client.request(Command::Info, { 1, 2, 3 }); });

    const Frame first = nextRequest(*line.unit);
    EXPECT_EQ(first.address, 3);
    EXPECT_EQ(first.sequence, 200);
    answer(*line.unit, first, Command::Nak, { static_cast<std::uint8_t>(Refusal::DamagedFrame) });
    const Frame again = nextRequest(*line.unit);
    EXPECT_EQ(again.sequence, first.sequence);
    EXPECT_EQ(again.payload, first.payload);
    // Traffic of unit 4 and an answer to another sequence number do not count.
    answer(*line.unit, again, Command::Ack, { 0x44 }, 4);
    answer(*line.unit, Frame { 3, 17, 0, {} }, Command::Ack, { 0x17 });
    answer(*line.unit, again, Command::Ack, { 0x33 });
    link.join();

    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.payload, std::vector<std::uint8_t> { 0x33 });
    EXPECT_EQ(client.counters().framesResent, 1);
}

TEST(LinkClient, ASilentLineEndsInNoAnswerWithinTheRetries)
{
    Line line;
    LinkClient client(*line.link, fastSettings(), 0);
    const auto start = Clock::now();
    const Exchange result = client.request(Command::Info, {});
    const auto took = Clock::now() - start;
    EXPECT_EQ(result.status, LinkStatus::NoAnswer);
    EXPECT_EQ(client.counters().framesSent, 3);
    EXPECT_LT(took, 2s);

    UnitClient unit(*line.link, fastSettings(), 0);
    const auto text = unit.explain(result);
    EXPECT_NE(text.find("No answer from unit 3"), std::string::npos) << text;
}

TEST(LinkClient, ARefusalIsReportedAtOnce)
{
    Line line;
    LinkClient client(*line.link, fastSettings(), 0);
    Exchange result;
    std::thread link([&] { result = client.request(Command::Erase, {}); });
    answer(*line.unit, nextRequest(*line.unit), Command::Nak,
        { static_cast<std::uint8_t>(Refusal::NotInProgramMode) });
    link.join();
    EXPECT_EQ(result.status, LinkStatus::Refused);
    EXPECT_EQ(result.refusal, Refusal::NotInProgramMode);
    EXPECT_EQ(client.counters().framesSent, 1);
    EXPECT_NE(describe(result.refusal).find("not in program mode"), std::string::npos);
}

TEST(UnitResponder, AnswersOnlyItsOwnAddressAndAsksForDamagedFramesAgain)
{
    BufferUnit handler;
    UnitResponder responder(3, handler);
    EXPECT_TRUE(responder.receive(encodeFrame(Frame { 4, 1, 0x01, {} })).empty());

    auto frame = encodeFrame(Frame { 3, 2, 0x01, {} });
    std::vector<std::uint8_t> line { 0x11, 0xA5, 0x22 }; // garbage first
    line.insert(line.end(), frame.begin(), frame.end());
    FrameDecoder decoder;
    decoder.feed(responder.receive(line));
    auto reply = decoder.next();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame.command, static_cast<std::uint8_t>(Command::Ack));
    EXPECT_EQ(reply->frame.sequence, 2);
    ASSERT_TRUE(UnitInfo::decode(reply->frame.payload));

    frame = encodeFrame(Frame { 3, 5, 0x02, { 9, 9 } });
    frame[FrameHeaderSize] ^= 1;
    decoder.feed(responder.receive(frame));
    reply = decoder.next();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame.command, static_cast<std::uint8_t>(Command::Nak));
    EXPECT_EQ(reply->frame.sequence, 5);
    EXPECT_EQ(reply->frame.payload[0], static_cast<std::uint8_t>(Refusal::DamagedFrame));

    // A repeated request (its answer was lost) gets the same answer without being carried
    // out again: ending a programming run twice must not turn into a refusal.
    ASSERT_TRUE(responder.receive(encodeFrame(Frame { 3, 7, 0x03, { 4, 0, 0, 0 } })).size());
    const auto end = encodeFrame(Frame { 3, 8, 0x05, {} });
    const auto first = responder.receive(end);
    EXPECT_EQ(responder.receive(end), first);
    decoder.feed(first);
    reply = decoder.next();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame.command, static_cast<std::uint8_t>(Command::Ack));

    // A frame with a short payload is refused, not read past its end.
    decoder.feed(responder.receive(encodeFrame(Frame { 3, 6, 0x06, { 1, 2 } })));
    reply = decoder.next();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->frame.payload[0], static_cast<std::uint8_t>(Refusal::BadRequest));
}

TEST(UnitClient, ProgramsAndReadsBackThroughALineThatDamagesBytes)
{
    for (const int corruptEvery : { 0, 997 }) {
        SCOPED_TRACE(corruptEvery);
        Line line;
        BufferUnit handler;
        UnitThread unit(*line.unit, handler, 3, corruptEvery);
        UnitClient client(*line.link, fastSettings(), 9);

        std::vector<std::uint8_t> image(20'000);
        for (std::size_t i = 0; i < image.size(); ++i)
            image[i] = static_cast<std::uint8_t>(i * 31 + i / 256);
        FlashSummary written;
        ASSERT_TRUE(client.erase().ok());
        const Exchange programmed = client.program(image, 1024, written);
        ASSERT_TRUE(programmed.ok()) << client.explain(programmed);
        EXPECT_EQ(written.size, image.size());
        EXPECT_EQ(written.crc, crc32(image));
        EXPECT_EQ(handler.flash, image);
        if (corruptEvery > 0) {
            EXPECT_GT(client.counters().framesResent, 0);
        }

        std::vector<std::uint8_t> read;
        const Exchange back =
            client.readFlash(static_cast<std::uint32_t>(image.size()), 1000, read);
        ASSERT_TRUE(back.ok()) << client.explain(back);
        EXPECT_EQ(read, image);
    }
}

} // namespace
} // namespace marquis::unit
