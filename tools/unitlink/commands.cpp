#include "commands.h"

#include "wire.h"

#include <cstdio>

namespace marquis::unit {

std::string describe(Refusal refusal)
{
    switch (refusal) {
    case Refusal::None:
        return "The unit accepted the request.";
    case Refusal::DamagedFrame:
        return "The unit received damaged data.";
    case Refusal::UnknownCommand:
        return "The unit does not know this command (its firmware may be too old).";
    case Refusal::BadRequest:
        return "The unit rejected the request as malformed.";
    case Refusal::NotInProgramMode:
        return "The unit is not in program mode. Switch it to program mode and try again.";
    case Refusal::NoSuchMessage:
        return "The unit has no such message.";
    case Refusal::FlashEmpty:
        return "The unit's flash is empty.";
    case Refusal::OutOfRange:
        return "The data does not fit into the unit's flash.";
    case Refusal::NoWriteStarted:
        return "The unit did not expect this data (programming was not started).";
    case Refusal::FlashFault:
        return "The unit could not write its flash.";
    }
    return "The unit refused the request (reason " + std::to_string(static_cast<int>(refusal)) +
        ").";
}

std::string UnitInfo::firmware() const
{
    char text[16];
    std::snprintf(text, sizeof text, "%u.%02u", firmwareMajor, firmwareMinor);
    return text;
}

std::vector<std::uint8_t> UnitInfo::encode() const
{
    PayloadWriter writer;
    writer.u8(protocol)
        .u16(model)
        .u8(firmwareMajor)
        .u8(firmwareMinor)
        .u8(memoryCode)
        .u8(programMode ? 1 : 0)
        .u32(flashCapacity)
        .u32(flashSize)
        .u32(flashCrc)
        .u16(maxBlock);
    if (flashContentCrc)
        writer.u32(*flashContentCrc);
    return writer.take();
}

std::optional<UnitInfo> UnitInfo::decode(std::span<const std::uint8_t> payload)
{
    PayloadReader reader(payload);
    UnitInfo info;
    info.protocol = reader.u8();
    info.model = reader.u16();
    info.firmwareMajor = reader.u8();
    info.firmwareMinor = reader.u8();
    info.memoryCode = reader.u8();
    info.programMode = reader.u8() != 0;
    info.flashCapacity = reader.u32();
    info.flashSize = reader.u32();
    info.flashCrc = reader.u32();
    info.maxBlock = reader.u16();
    info.flashContentCrc = reader.optionalU32();
    if (reader.failed() || info.maxBlock == 0)
        return std::nullopt;
    return info;
}

} // namespace marquis::unit
