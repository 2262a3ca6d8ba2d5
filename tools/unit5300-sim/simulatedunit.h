#pragma once

#include "displayfile.h"
#include "flashstore.h"
#include "scriptcode/displayunit.h"
#include "simoptions.h"
#include "unitlink/unitresponder.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace marquis::unit {

// A unit as the link sees it: its flash, program mode and the message engine that runs what
// the flash holds (or a message sent to it).
class SimulatedUnit : public UnitHandler {
public:
    explicit SimulatedUnit(const SimOptions& options);

    // Loads the flash file; false with the reason in `error`.
    bool start(std::string& error);
    // Lets unit time pass; true when the display changed.
    bool advance(int milliseconds);
    const DisplayState& display() const { return m_display; }
    // The bytes the messages sent out of the unit's serial port since the last call.
    std::string takeSerialOutput() { return m_engine->takeSerialOutput(); }
    // The texts the messages passed to a slave unit since the last call, each ending CR LF.
    std::string takeSlaveOutput() { return m_engine->takeSlaveOutput(); }
    // Problems the unit met (a flash it cannot run, a flash file it cannot write), for the log.
    std::vector<std::string> takeNotes();

    UnitInfo info() override;
    Refusal erase() override;
    Refusal beginWrite(std::uint32_t size) override;
    Refusal writeBlock(std::uint32_t offset, std::span<const std::uint8_t> data) override;
    Refusal endWrite(FlashSummary& flash) override;
    Refusal readBlock(
        std::uint32_t offset, std::uint16_t length, std::vector<std::uint8_t>& data) override;
    Refusal callUp(int number, std::string_view variables) override;
    Refusal loadMessage(int number, int task, std::span<const std::uint8_t> code) override;
    Refusal reboot() override;

private:
    // Starts the engine afresh on what the flash holds.
    void restart();
    bool refreshDisplay();
    int memoryCode() const { return m_options.model == 5320 ? 0x40 : 0x80; }

    SimOptions m_options;
    FlashStore m_flash;
    std::unique_ptr<DisplayUnit> m_engine;
    std::optional<UnitImage> m_running; // what the engine was given
    std::optional<std::vector<std::uint8_t>> m_writing; // the image being programmed
    DisplayState m_display;
    std::vector<std::string> m_notes;
};

} // namespace marquis::unit
