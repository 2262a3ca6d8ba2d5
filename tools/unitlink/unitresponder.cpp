#include "unitresponder.h"

#include "wire.h"

namespace marquis::unit {
namespace {

Frame replyTo(const Frame& request, Refusal refusal, std::vector<std::uint8_t> payload = {})
{
    Frame reply { request.address, request.sequence,
        static_cast<std::uint8_t>(refusal == Refusal::None ? Command::Ack : Command::Nak),
        std::move(payload) };
    if (refusal != Refusal::None)
        reply.payload = { static_cast<std::uint8_t>(refusal) };
    return reply;
}

} // namespace

UnitResponder::UnitResponder(std::uint8_t address, UnitHandler& handler)
    : m_address(address)
    , m_handler(handler)
{
}

std::vector<std::uint8_t> UnitResponder::receive(std::span<const std::uint8_t> bytes)
{
    m_decoder.feed(bytes);
    std::vector<std::uint8_t> out;
    while (auto received = m_decoder.next())
        answer(*received, out);
    return out;
}

std::vector<std::uint8_t> UnitResponder::lineQuiet()
{
    std::vector<std::uint8_t> out;
    while (m_decoder.hasPartialFrame()) {
        if (auto abandoned = m_decoder.expire())
            answer(*abandoned, out);
        while (auto received = m_decoder.next())
            answer(*received, out);
    }
    return out;
}

void UnitResponder::answer(const Received& received, std::vector<std::uint8_t>& out)
{
    const Frame& frame = received.frame;
    // Answers (ours or another unit's) are never requests.
    if (frame.address != m_address || (frame.command & 0x80) != 0)
        return;
    if (received.damaged) {
        const auto bytes = encodeFrame(replyTo(frame, Refusal::DamagedFrame));
        out.insert(out.end(), bytes.begin(), bytes.end());
        return;
    }
    const bool repeat = m_lastRequest && m_lastRequest->sequence == frame.sequence &&
        m_lastRequest->command == frame.command && m_lastRequest->payload == frame.payload;
    if (!repeat) {
        m_lastAnswer = encodeFrame(carryOut(frame));
        m_lastRequest = frame;
    }
    out.insert(out.end(), m_lastAnswer.begin(), m_lastAnswer.end());
}

Frame UnitResponder::carryOut(const Frame& request)
{
    PayloadReader reader(request.payload);
    const auto done = [&](Refusal refusal, std::vector<std::uint8_t> payload = {}) {
        return replyTo(
            request, reader.failed() ? Refusal::BadRequest : refusal, std::move(payload));
    };
    switch (static_cast<Command>(request.command)) {
    case Command::Info:
        return done(Refusal::None, m_handler.info().encode());
    case Command::Erase:
        return done(m_handler.erase());
    case Command::BeginWrite: {
        const std::uint32_t size = reader.u32();
        return reader.failed() ? done(Refusal::BadRequest) : done(m_handler.beginWrite(size));
    }
    case Command::WriteBlock: {
        const std::uint32_t offset = reader.u32();
        const auto data = reader.rest();
        return reader.failed() ? done(Refusal::BadRequest)
                               : done(m_handler.writeBlock(offset, data));
    }
    case Command::EndWrite: {
        FlashSummary flash;
        const Refusal refusal = m_handler.endWrite(flash);
        PayloadWriter answer;
        answer.u32(flash.size).u32(flash.crc);
        if (flash.contentCrc)
            answer.u32(*flash.contentCrc);
        return done(refusal, answer.take());
    }
    case Command::ReadBlock: {
        const std::uint32_t offset = reader.u32();
        const std::uint16_t length = reader.u16();
        if (reader.failed() || length > MaxPayload - 4)
            return replyTo(request, Refusal::BadRequest);
        std::vector<std::uint8_t> data;
        const Refusal refusal = m_handler.readBlock(offset, length, data);
        return done(refusal, PayloadWriter().u32(offset).bytes(data).take());
    }
    case Command::CallUp: {
        const int number = reader.u16();
        const auto rest = reader.rest();
        const std::string_view variables(reinterpret_cast<const char*>(rest.data()), rest.size());
        return reader.failed() ? done(Refusal::BadRequest)
                               : done(m_handler.callUp(number, variables));
    }
    case Command::LoadMessage: {
        const int number = reader.u16();
        const int task = reader.u8();
        const auto code = reader.rest();
        return reader.failed() ? done(Refusal::BadRequest)
                               : done(m_handler.loadMessage(number, task, code));
    }
    case Command::Reboot:
        return done(m_handler.reboot());
    default:
        return replyTo(request, Refusal::UnknownCommand);
    }
}

} // namespace marquis::unit
