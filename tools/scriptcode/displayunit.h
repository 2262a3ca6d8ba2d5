#pragma once

// The boundary between the script code (compiler, assembler, unit image, message engine) and
// the simulated unit that runs it. The simulator only uses what is declared here.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::unit {

inline constexpr int ImageMessageCount = 1024;

// A unit binary image (".bin"): header, a directory of the 1024 messages, their code, and a
// CRC-32 over the image. The byte layout is documented in docs/bin-format.md.
struct UnitImage {
    struct Entry {
        std::uint32_t offset = 0; // into `code`
        std::uint32_t length = 0; // 0: the message does not exist
        std::uint8_t task = 0; // 0..3
    };

    int scriptVersion = 2; // 1 or 2
    int memoryCode = 0x80; // 0x40 (model 5320) or 0x80 (model 5360)
    std::array<Entry, ImageMessageCount> directory {};
    std::vector<std::uint8_t> code;

    // Reads an image; no value, with the reason in `error`, when the bytes are not a valid
    // image (wrong magic or version, a directory entry outside the code, a CRC mismatch, ...).
    static std::optional<UnitImage> parse(
        const std::vector<std::uint8_t>& bytes, std::string& error);
    std::vector<std::uint8_t> serialize() const;
};

// The CRC-32 (as zlib computes it) of a whole serialized image; the unit reports it after
// programming so that the link can verify what was written.
std::uint32_t imageChecksum(const std::vector<std::uint8_t>& bytes);

// The display and message engine of one unit: runs the programmed messages as the unit does and
// tells what its display shows.
class DisplayUnit {
public:
    explicit DisplayUnit(int lines); // 2 (model 5320) or 4 (model 5360)
    ~DisplayUnit();
    DisplayUnit(const DisplayUnit&) = delete;
    DisplayUnit& operator=(const DisplayUnit&) = delete;

    void load(const UnitImage& image);

    // Starts message `number` on its task, with the variable string of a call up (the values of
    // variables 1..16, separated by blanks or commas). False when the message does not exist.
    bool callUp(int number, std::string_view variables = {});

    // Lets `milliseconds` of unit time pass: scrolling, blinking, pauses, repeats, started
    // messages.
    void advance(int milliseconds);

    // The display rows as shown at this moment, each exactly 20 characters; characters of a
    // blinking run are blanks during the off phase.
    std::vector<std::string> rows() const;

    bool relayOn() const;

    // The bytes the running messages sent out of the serial port since the last call, and clears
    // them. A "#" escape of a send text is its control code here.
    std::string takeSerialOutput();
    // The texts the running messages passed to a slave unit since the last call, each ending
    // CR LF, and clears them.
    std::string takeSlaveOutput();

private:
    struct Engine;
    Engine* m_engine;
};

} // namespace marquis::unit
