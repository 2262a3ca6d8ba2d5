#include "unitlink/channel.h"
#include "unitlink/crc.h"
#include "unitlink/frame.h"
#include "unitlink/unitclient.h"
#include "unitlink/unitresponder.h"
#include "unitlink/wire.h"

#include <atomic>
#include <gtest/gtest.h>
#include <random>
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
    std::atomic<bool> losesWrites = false; // a faulty flash: programming leaves the old contents

    UnitInfo info() override
    {
        UnitInfo info;
        info.programMode = programMode;
        const FlashSummary summary = FlashSummary::of(flash);
        info.flashSize = summary.size;
        info.flashCrc = summary.crc;
        info.flashContentCrc = summary.contentCrc;
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
    Refusal endWrite(FlashSummary& summary) override
    {
        if (!losesWrites)
            flash = writing;
        summary = FlashSummary::of(flash);
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

// Bytes lost and changed on a line, drawn from a seeded generator so that a run can be
// repeated; one generator per direction.
class LineFaults {
public:
    LineFaults(double drop, double corrupt, unsigned seed)
        : m_drop(drop)
        , m_corrupt(corrupt)
        , m_random(seed)
    {
    }

    std::vector<std::uint8_t> pass(std::span<const std::uint8_t> bytes)
    {
        std::vector<std::uint8_t> out;
        std::uniform_real_distribution<double> chance(0, 1);
        for (std::uint8_t byte : bytes) {
            if (m_drop > 0 && chance(m_random) < m_drop)
                continue;
            if (m_corrupt > 0 && chance(m_random) < m_corrupt)
                byte ^= static_cast<std::uint8_t>(1 + m_random() % 255);
            out.push_back(byte);
        }
        return out;
    }

private:
    double m_drop;
    double m_corrupt;
    std::mt19937 m_random;
};

struct Noise {
    double drop = 0;
    double corrupt = 0;
    unsigned seed = 1;
};

// Runs a responder on the unit's end until stopped, the line losing and changing bytes in
// both directions as `noise` says.
class UnitThread {
public:
    UnitThread(Channel& line, UnitHandler& handler, std::uint8_t address, Noise noise = {})
        : m_thread([this, &line, &handler, address, noise] {
            UnitResponder responder(address, handler);
            LineFaults toUnit(noise.drop, noise.corrupt, noise.seed);
            LineFaults fromUnit(noise.drop, noise.corrupt, noise.seed + 1000);
            std::array<std::uint8_t, 4096> buffer {};
            std::string error;
            while (!m_stop) {
                const long count = line.read(buffer, Clock::now() + 20ms, error);
                if (count < 0)
                    return;
                const auto received =
                    toUnit.pass(std::span(buffer).first(static_cast<std::size_t>(count)));
                auto out = count > 0 ? responder.receive(received) : responder.lineQuiet();
                out = fromUnit.pass(out);
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
    for (const double corrupt : { 0.0, 0.001 }) {
        SCOPED_TRACE(corrupt);
        Line line;
        BufferUnit handler;
        UnitThread unit(*line.unit, handler, 3, { 0, corrupt, 5 });
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
        if (corrupt > 0) {
            EXPECT_GT(client.counters().framesResent, 0);
        }

        std::vector<std::uint8_t> read;
        const Exchange back =
            client.readFlash(static_cast<std::uint32_t>(image.size()), 1000, read);
        ASSERT_TRUE(back.ok()) << client.explain(back);
        EXPECT_EQ(read, image);
    }
}

// An image as the assembler ends it: its bytes, then the CRC-32 of them.
std::vector<std::uint8_t> selfCheckedImage(const std::string& text)
{
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    PayloadWriter trailer;
    trailer.u32(crc32(bytes));
    const auto crc = trailer.take();
    bytes.insert(bytes.end(), crc.begin(), crc.end());
    return bytes;
}

TEST(FlashCheck, TellsTwoImagesOfTheSameSizeApart)
{
    const auto welcome = selfCheckedImage("MESSAGE 1: WELCOME");
    const auto goodbye = selfCheckedImage("MESSAGE 1: GOODBYE");
    // The CRC-32 of the whole flash is the same for both: it cannot tell them apart.
    ASSERT_EQ(crc32(welcome), crc32(goodbye));

    const FlashSummary holdsWelcome = FlashSummary::of(welcome);
    EXPECT_EQ(compareFlash(holdsWelcome, welcome), FlashMatch::Same);
    EXPECT_EQ(compareFlash(holdsWelcome, goodbye), FlashMatch::Different);
    EXPECT_EQ(
        compareFlash(holdsWelcome, selfCheckedImage("MESSAGE 1: WELCOME!")), FlashMatch::Different);
    // The last four bytes count too.
    auto badTrailer = welcome;
    badTrailer.back() ^= 1;
    EXPECT_EQ(compareFlash(FlashSummary::of(badTrailer), welcome), FlashMatch::Different);

    // A unit that reports no content CRC proves no more than "an image of this size".
    FlashSummary older = holdsWelcome;
    older.contentCrc.reset();
    EXPECT_EQ(compareFlash(older, goodbye), FlashMatch::Unknown);
    EXPECT_EQ(compareFlash(older, badTrailer), FlashMatch::Different);

    // The unit's description carries the content CRC; one without it (protocol version 1)
    // still reads.
    UnitInfo info;
    info.flashSize = holdsWelcome.size;
    info.flashCrc = holdsWelcome.crc;
    info.flashContentCrc = holdsWelcome.contentCrc;
    auto payload = info.encode();
    auto decoded = UnitInfo::decode(payload);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(compareFlash(decoded->flash(), welcome), FlashMatch::Same);
    payload.resize(payload.size() - 4);
    decoded = UnitInfo::decode(payload);
    ASSERT_TRUE(decoded);
    EXPECT_FALSE(decoded->flashContentCrc);
}

TEST(UnitClient, ProgrammingTellsWhetherTheNewImageIsReallyThere)
{
    const auto first = selfCheckedImage(std::string(3000, 'A') + "WELCOME");
    const auto second = selfCheckedImage(std::string(3000, 'A') + "GOODBYE");
    Line line;
    BufferUnit handler;
    handler.flash = first;
    handler.losesWrites = true;
    {
        UnitThread unit(*line.unit, handler, 3);
        UnitClient client(*line.link, fastSettings(), 40);
        FlashSummary written;
        ASSERT_TRUE(client.program(second, 1024, written).ok());
        EXPECT_EQ(compareFlash(written, second), FlashMatch::Different);
        EXPECT_EQ(compareFlash(written, first), FlashMatch::Same);

        handler.losesWrites = false;
        ASSERT_TRUE(client.program(second, 1024, written).ok());
        EXPECT_EQ(compareFlash(written, second), FlashMatch::Same);

        UnitInfo info;
        ASSERT_TRUE(client.info(info).ok());
        EXPECT_EQ(compareFlash(info.flash(), second), FlashMatch::Same);
        EXPECT_EQ(compareFlash(info.flash(), first), FlashMatch::Different);
    }
    // A unit that claims an impossible flash size is not believed.
    UnitClient client(*line.link, fastSettings(), 80);
    std::vector<std::uint8_t> read;
    const Exchange huge = client.readFlash(0xFFFFFFFF, 1024, read);
    EXPECT_EQ(huge.status, LinkStatus::BadReply);
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(client.counters().framesSent, 0);
}

// Reading answers with blocks, programming sends them: on the same noisy line both must get
// through, and reading must not cost much more. Counted in frames and in waits that ran out,
// which is where the time goes; timing itself is measured by link_bench.
TEST(UnitClient, ReadsBackAsRobustlyAsItProgramsOnANoisyLine)
{
    std::vector<std::uint8_t> image(8 * 1024);
    std::mt19937 random(3);
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(random());
    // This line is far faster than the rate the link reckons with, so waits that run out are
    // all that takes time here: keep them short, but give a busy machine time to answer.
    LinkSettings settings = fastSettings();
    settings.baud = 1'000'000;
    settings.slack = 30ms;
    settings.attempts = 10;
    for (const bool dropping : { true, false }) {
        LinkCounters programming;
        LinkCounters reading;
        for (const unsigned seed : { 1u, 2u, 3u }) {
            SCOPED_TRACE(
                std::string(dropping ? "drop" : "corrupt") + " seed " + std::to_string(seed));
            Line line;
            BufferUnit handler;
            UnitThread unit(
                *line.unit, handler, 3, { dropping ? 0.01 : 0, dropping ? 0 : 0.01, seed });
            UnitClient client(*line.link, settings, static_cast<std::uint8_t>(seed));

            FlashSummary written;
            const Exchange programmed = client.program(image, 1024, written);
            ASSERT_TRUE(programmed.ok()) << client.explain(programmed);
            EXPECT_EQ(compareFlash(written, image), FlashMatch::Same);
            const LinkCounters afterProgramming = client.counters();

            std::vector<std::uint8_t> read;
            const Exchange back =
                client.readFlash(static_cast<std::uint32_t>(image.size()), 1024, read);
            ASSERT_TRUE(back.ok()) << client.explain(back);
            EXPECT_EQ(read, image);

            const LinkCounters& total = client.counters();
            programming.framesSent += afterProgramming.framesSent;
            programming.timeouts += afterProgramming.timeouts;
            reading.framesSent += total.framesSent - afterProgramming.framesSent;
            reading.timeouts += total.timeouts - afterProgramming.timeouts;
        }
        SCOPED_TRACE(dropping ? "drop" : "corrupt");
        EXPECT_LE(reading.framesSent * 2, programming.framesSent * 3);
        EXPECT_LE(reading.timeouts * 2, programming.timeouts * 3)
            << programming.timeouts << " timeouts programming";
    }
}

} // namespace
} // namespace marquis::unit
