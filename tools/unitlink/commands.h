#pragma once

#include "flashsummary.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace marquis::unit {

// Version 2 added the content CRC of the flash to Info and End programming.
inline constexpr std::uint8_t ProtocolVersion = 2;

// Requests from the link to a unit. A unit answers a request addressed to it with Ack (the
// request's sequence number, the command's reply payload) or Nak (a Refusal code).
enum class Command : std::uint8_t {
    Info = 0x01, // -> UnitInfo
    Erase = 0x02,
    BeginWrite = 0x03, // u32 image size
    WriteBlock = 0x04, // u32 offset, data
    EndWrite = 0x05, // -> u32 flash size, u32 CRC-32 of the flash, u32 content CRC-32
    ReadBlock = 0x06, // u32 offset, u16 length -> u32 offset, data
    CallUp = 0x07, // u16 message number, variable string
    LoadMessage = 0x08, // u16 message number, u8 task, code
    Reboot = 0x09,
    Ack = 0x80,
    Nak = 0x81,
};

enum class Refusal : std::uint8_t {
    None = 0,
    DamagedFrame = 1, // the frame arrived damaged: send it again
    UnknownCommand = 2,
    BadRequest = 3, // a payload of the wrong form
    NotInProgramMode = 4,
    NoSuchMessage = 5,
    FlashEmpty = 6,
    OutOfRange = 7, // an offset or size beyond the flash
    NoWriteStarted = 8,
    FlashFault = 9, // the unit could not store the data
};

// A sentence for the status report.
std::string describe(Refusal refusal);

struct UnitInfo {
    std::uint8_t protocol = ProtocolVersion;
    std::uint16_t model = 5360; // 5320 or 5360
    std::uint8_t firmwareMajor = 4; // 3: version 1 unit, 4: version 2 unit
    std::uint8_t firmwareMinor = 5;
    std::uint8_t memoryCode = 0x80; // 0x40 (5320) or 0x80 (5360)
    bool programMode = false;
    std::uint32_t flashCapacity = 0;
    std::uint32_t flashSize = 0; // 0: the flash is empty
    std::uint32_t flashCrc = 0;
    std::uint16_t maxBlock = 1024; // the largest data block the unit takes or sends
    std::optional<std::uint32_t> flashContentCrc; // see FlashSummary; protocol 2 and later

    FlashSummary flash() const { return { flashSize, flashCrc, flashContentCrc }; }

    // "4.05"
    std::string firmware() const;
    std::vector<std::uint8_t> encode() const;
    static std::optional<UnitInfo> decode(std::span<const std::uint8_t> payload);
};

} // namespace marquis::unit
