#pragma once

#include "commands.h"
#include "frame.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace marquis::unit {

// What a unit does on each request of the link. A refusal other than None is sent back as
// the reason; None acknowledges the request.
class UnitHandler {
public:
    virtual ~UnitHandler() = default;
    virtual UnitInfo info() = 0;
    virtual Refusal erase() = 0;
    virtual Refusal beginWrite(std::uint32_t size) = 0;
    virtual Refusal writeBlock(std::uint32_t offset, std::span<const std::uint8_t> data) = 0;
    // Ends programming; reports what the flash now holds.
    virtual Refusal endWrite(FlashSummary& flash) = 0;
    virtual Refusal readBlock(
        std::uint32_t offset, std::uint16_t length, std::vector<std::uint8_t>& data) = 0;
    virtual Refusal callUp(int number, std::string_view variables) = 0;
    virtual Refusal loadMessage(int number, int task, std::span<const std::uint8_t> code) = 0;
    virtual Refusal reboot() = 0;
};

// The unit's end of the protocol: finds the frames addressed to this unit in what the line
// brings, has the handler carry them out and gives the answers to send. Frames for other
// addresses are ignored; a damaged frame for this unit is answered with a request to send it
// again. When the answer to a request is lost, the link sends the request again: a repeat of
// the request answered last gets that answer again instead of being carried out twice (ending
// a programming run twice would fail the second time).
class UnitResponder {
public:
    UnitResponder(std::uint8_t address, UnitHandler& handler);

    std::vector<std::uint8_t> receive(std::span<const std::uint8_t> bytes);
    // The line has been quiet for a while: a frame still incomplete is abandoned.
    std::vector<std::uint8_t> lineQuiet();
    bool waitingForRestOfFrame() const { return m_decoder.hasPartialFrame(); }
    std::size_t skippedBytes() const { return m_decoder.skippedBytes(); }

private:
    void answer(const Received& received, std::vector<std::uint8_t>& out);
    Frame carryOut(const Frame& request);

    std::uint8_t m_address;
    UnitHandler& m_handler;
    FrameDecoder m_decoder;
    std::optional<Frame> m_lastRequest;
    std::vector<std::uint8_t> m_lastAnswer;
};

} // namespace marquis::unit
