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

    exchange = m_link.stream(
        Command::WriteBlock, image.size(), blockSize,
        [&](std::size_t offset, std::size_t length) {
            return PayloadWriter()
                .u32(static_cast<std::uint32_t>(offset))
                .bytes(std::span(image).subspan(offset, length))
                .take();
        },
        bytesDone);
    if (!exchange.ok())
        return exchange;

    exchange = m_link.request(Command::EndWrite, {});
    if (!exchange.ok())
        return exchange;
    PayloadReader reader(exchange.payload);
    written.size = reader.u32();
    written.crc = reader.u32();
    if (reader.failed()) {
        exchange.status = LinkStatus::BadReply;
        exchange.detail = "the unit did not report what its flash holds";
    }
    return exchange;
}

Exchange UnitClient::readFlash(
    std::uint32_t size, std::size_t blockSize, std::vector<std::uint8_t>& image)
{
    blockSize = std::clamp<std::size_t>(blockSize, 1, MaxPayload - 4);
    image.clear();
    image.reserve(size);
    const std::size_t smallest = std::min(blockSize, m_link.settings().smallestBlock);
    std::size_t current = blockSize;
    int cleanInARow = 0;
    Exchange exchange;
    while (image.size() < size) {
        const auto offset = static_cast<std::uint32_t>(image.size());
        const auto length =
            static_cast<std::uint16_t>(std::min<std::size_t>(current, size - offset));
        // Large blocks give up soon when they arrive damaged; smaller ones then get through.
        exchange =
            m_link.request(Command::ReadBlock, PayloadWriter().u32(offset).u16(length).take(),
                length + 4u, current > smallest ? 2 : 0);
        if (exchange.status == LinkStatus::Garbled && current > smallest) {
            current = std::max(smallest, current / 2);
            cleanInARow = 0;
            continue;
        }
        if (!exchange.ok())
            return exchange;
        if (++cleanInARow >= 16 && current < blockSize) {
            current = std::min(blockSize, current * 2);
            cleanInARow = 0;
        }
        PayloadReader reader(exchange.payload);
        const std::uint32_t at = reader.u32();
        const auto data = reader.rest();
        if (reader.failed() || at != offset || data.size() != length) {
            exchange.status = LinkStatus::BadReply;
            exchange.detail =
                "the unit sent other data than asked for (offset " + std::to_string(offset) + ")";
            return exchange;
        }
        image.insert(image.end(), data.begin(), data.end());
    }
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
