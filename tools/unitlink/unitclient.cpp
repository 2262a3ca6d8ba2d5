#include "unitclient.h"

#include "wire.h"

#include <algorithm>

namespace marquis::unit {

UnitClient::UnitClient(Channel& channel, LinkSettings settings, std::uint8_t firstSequence)
    : m_link(channel, settings, firstSequence)
{
}

std::size_t blockSizeFor(int baud, std::uint16_t unitMaximum)
{
    const std::size_t wanted = baud >= 9600 ? 1024 : (baud >= 2400 ? 512 : 128);
    return std::clamp<std::size_t>(wanted, 1, std::max<std::size_t>(1, unitMaximum));
}

Exchange UnitClient::info(UnitInfo& info)
{
    Exchange exchange = m_link.request(Command::Info, {});
    if (!exchange.ok())
        return exchange;
    const auto decoded = UnitInfo::decode(exchange.payload);
    if (!decoded) {
        exchange.status = LinkStatus::BadReply;
        exchange.detail = "the unit's description is incomplete";
        return exchange;
    }
    info = *decoded;
    return exchange;
}

Exchange UnitClient::erase()
{
    return m_link.request(Command::Erase, {});
}

Exchange UnitClient::program(const std::vector<std::uint8_t>& image, std::size_t blockSize,
    FlashSummary& written, const std::function<void(std::size_t)>& bytesDone)
{
    blockSize = std::clamp<std::size_t>(blockSize, 1, MaxPayload - 4);
    Exchange exchange = m_link.request(
        Command::BeginWrite, PayloadWriter().u32(static_cast<std::uint32_t>(image.size())).take());
    if (!exchange.ok())
        return exchange;

    LinkClient::BlockTransfer transfer;
    transfer.command = Command::WriteBlock;
    transfer.total = image.size();
    transfer.largestBlock = blockSize;
    transfer.request = [&](std::size_t offset, std::size_t length) {
        return PayloadWriter()
            .u32(static_cast<std::uint32_t>(offset))
            .bytes(std::span(image).subspan(offset, length))
            .take();
    };
    transfer.progress = bytesDone;
    exchange = m_link.stream(transfer);
    if (!exchange.ok())
        return exchange;

    exchange = m_link.request(Command::EndWrite, {});
    if (!exchange.ok())
        return exchange;
    PayloadReader reader(exchange.payload);
    written.size = reader.u32();
    written.crc = reader.u32();
    written.contentCrc = reader.optionalU32();
    if (reader.failed()) {
        exchange.status = LinkStatus::BadReply;
        exchange.detail = "the unit did not report what its flash holds";
    }
    return exchange;
}

Exchange UnitClient::readFlash(
    std::uint32_t size, std::size_t blockSize, std::vector<std::uint8_t>& image)
{
    // Read requests are streamed like the blocks of programming: several on the line at a
    // time, so the line stays busy and an answer that lost bytes is found damaged as soon as
    // the next one arrives, instead of after a timeout.
    image.clear();
    if (size > LargestFlash) {
        Exchange refused;
        refused.status = LinkStatus::BadReply;
        refused.detail =
            "it reports a flash of " + std::to_string(size) + " bytes, more than any unit holds";
        return refused;
    }
    image.assign(size, 0);
    LinkClient::BlockTransfer transfer;
    transfer.command = Command::ReadBlock;
    transfer.total = size;
    transfer.largestBlock = std::clamp<std::size_t>(blockSize, 1, MaxPayload - 4);
    transfer.request = [](std::size_t offset, std::size_t length) {
        return PayloadWriter()
            .u32(static_cast<std::uint32_t>(offset))
            .u16(static_cast<std::uint16_t>(length))
            .take();
    };
    transfer.answerSize = [](std::size_t length) { return length + 4; };
    transfer.accept = [&](std::size_t offset, std::size_t length,
                          std::span<const std::uint8_t> payload) {
        PayloadReader reader(payload);
        const std::uint32_t at = reader.u32();
        const auto data = reader.rest();
        if (reader.failed() || at != offset || data.size() != length)
            return false;
        std::copy(data.begin(), data.end(), image.begin() + static_cast<std::ptrdiff_t>(offset));
        return true;
    };
    Exchange exchange = m_link.stream(transfer);
    if (!exchange.ok())
        image.clear();
    return exchange;
}

Exchange UnitClient::callUp(int number, std::string_view variables)
{
    return m_link.request(Command::CallUp,
        PayloadWriter().u16(static_cast<std::uint16_t>(number)).text(variables).take());
}

Exchange UnitClient::loadMessage(int number, int task, const std::vector<std::uint8_t>& code)
{
    return m_link.request(Command::LoadMessage,
        PayloadWriter()
            .u16(static_cast<std::uint16_t>(number))
            .u8(static_cast<std::uint8_t>(task))
            .bytes(code)
            .take());
}

Exchange UnitClient::reboot()
{
    return m_link.request(Command::Reboot, {});
}

std::string UnitClient::explain(const Exchange& exchange) const
{
    const std::string unit = "unit " + std::to_string(m_link.settings().address);
    switch (exchange.status) {
    case LinkStatus::Ok:
        return "";
    case LinkStatus::Refused:
        return describe(exchange.refusal);
    case LinkStatus::NoAnswer:
        return "No answer from " + unit +
            ". Check that the unit is switched on and connected, "
            "and that its address and baud rate match the settings (" +
            std::to_string(m_link.settings().baud) + " baud).";
    case LinkStatus::Garbled:
        return "The answers from " + unit +
            " arrived damaged every time. Check the cable and "
            "that the unit's baud rate matches the settings (" +
            std::to_string(m_link.settings().baud) + " baud).";
    case LinkStatus::LineFailed:
        return "The serial line failed: " + exchange.detail + ".";
    case LinkStatus::BadReply:
        return "The answer from " + unit + " could not be understood: " + exchange.detail + ".";
    }
    return "The link failed.";
}

} // namespace marquis::unit
