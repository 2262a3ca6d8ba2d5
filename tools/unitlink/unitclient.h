#pragma once

#include "commands.h"
#include "linkclient.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::unit {

// The operations of a unit, on top of the framed link. Each gives an Exchange that tells
// whether it worked; `explain` turns a failed one into sentences for the status report.
class UnitClient {
public:
    UnitClient(Channel& channel, LinkSettings settings, std::uint8_t firstSequence);

    Exchange info(UnitInfo& info);
    Exchange erase();
    // Writes an image into the erased flash in blocks of at most `blockSize` bytes and reads
    // back what the unit then holds. The caller compares it with the image (compareFlash).
    Exchange program(const std::vector<std::uint8_t>& image, std::size_t blockSize,
        FlashSummary& written, const std::function<void(std::size_t)>& bytesDone = {});
    // Reads `size` bytes of flash. A size beyond LargestFlash (as a unit may report it) is
    // refused as a bad reply before anything is asked for or held in memory.
    static constexpr std::uint32_t LargestFlash = 16u * 1024 * 1024;
    Exchange readFlash(std::uint32_t size, std::size_t blockSize, std::vector<std::uint8_t>& image);
    Exchange callUp(int number, std::string_view variables);
    Exchange loadMessage(int number, int task, const std::vector<std::uint8_t>& code);
    Exchange reboot();

    // Sentences saying why an exchange failed, for a person.
    std::string explain(const Exchange& exchange) const;

    const LinkCounters& counters() const { return m_link.counters(); }

private:
    LinkClient m_link;
};

// The block size to use at a line rate: large blocks where the line is fast, smaller ones where
// a repeated block would cost long.
std::size_t blockSizeFor(int baud, std::uint16_t unitMaximum);

} // namespace marquis::unit
