#include "simulatedunit.h"

#include <algorithm>
#include <utility>

namespace marquis::unit {

SimulatedUnit::SimulatedUnit(const SimOptions& options)
    : m_options(options)
    , m_flash(options.flashFile, options.flashCapacity)
{
}

bool SimulatedUnit::start(std::string& error)
{
    if (!m_flash.load(error))
        return false;
    restart();
    return true;
}

void SimulatedUnit::restart()
{
    m_engine = std::make_unique<DisplayUnit>(m_options.model == 5320 ? 2 : 4);
    m_running.reset();
    m_writing.reset();
    if (!m_flash.contents().empty()) {
        std::string error;
        m_running = UnitImage::parse(m_flash.contents(), error);
        if (m_running)
            m_engine->load(*m_running);
        else
            m_notes.push_back("the flash holds no valid image (" + error + "); nothing runs");
    }
    refreshDisplay();
}

bool SimulatedUnit::refreshDisplay()
{
    DisplayState now { m_engine->rows(), m_engine->relayOn() };
    if (now == m_display)
        return false;
    m_display = std::move(now);
    return true;
}

bool SimulatedUnit::advance(int milliseconds)
{
    m_engine->advance(milliseconds);
    return refreshDisplay();
}

std::vector<std::string> SimulatedUnit::takeNotes()
{
    return std::exchange(m_notes, {});
}

UnitInfo SimulatedUnit::info()
{
    UnitInfo info;
    info.model = static_cast<std::uint16_t>(m_options.model);
    info.firmwareMajor = static_cast<std::uint8_t>(m_options.firmwareMajor);
    info.firmwareMinor = static_cast<std::uint8_t>(m_options.firmwareMinor);
    info.memoryCode = static_cast<std::uint8_t>(memoryCode());
    info.programMode = m_options.programMode;
    info.flashCapacity = m_flash.capacity();
    info.flashSize = m_flash.summary().size;
    info.flashCrc = m_flash.summary().crc;
    info.flashContentCrc = m_flash.summary().contentCrc;
    return info;
}

Refusal SimulatedUnit::erase()
{
    if (!m_options.programMode)
        return Refusal::NotInProgramMode;
    std::string error;
    if (!m_flash.store({}, error)) {
        m_notes.push_back(error);
        return Refusal::FlashFault;
    }
    restart();
    return Refusal::None;
}

Refusal SimulatedUnit::beginWrite(std::uint32_t size)
{
    if (!m_options.programMode)
        return Refusal::NotInProgramMode;
    if (size > m_flash.capacity())
        return Refusal::OutOfRange;
    // Unwritten parts read as erased flash.
    m_writing.emplace(size, std::uint8_t { 0xFF });
    return Refusal::None;
}

Refusal SimulatedUnit::writeBlock(std::uint32_t offset, std::span<const std::uint8_t> data)
{
    if (!m_options.programMode)
        return Refusal::NotInProgramMode;
    if (!m_writing)
        return Refusal::NoWriteStarted;
    if (offset > m_writing->size() || data.size() > m_writing->size() - offset)
        return Refusal::OutOfRange;
    std::copy(data.begin(), data.end(), m_writing->begin() + offset);
    return Refusal::None;
}

Refusal SimulatedUnit::endWrite(FlashSummary& flash)
{
    if (!m_writing)
        return Refusal::NoWriteStarted;
    std::string error;
    const bool stored = m_flash.store(std::move(*m_writing), error);
    m_writing.reset();
    if (!stored) {
        m_notes.push_back(error);
        return Refusal::FlashFault;
    }
    flash = m_flash.summary();
    restart();
    return Refusal::None;
}

Refusal SimulatedUnit::readBlock(
    std::uint32_t offset, std::uint16_t length, std::vector<std::uint8_t>& data)
{
    const auto& contents = m_flash.contents();
    if (contents.empty())
        return Refusal::FlashEmpty;
    if (offset > contents.size() || length > contents.size() - offset)
        return Refusal::OutOfRange;
    data.assign(contents.begin() + offset, contents.begin() + offset + length);
    return Refusal::None;
}

Refusal SimulatedUnit::callUp(int number, std::string_view variables)
{
    if (number < 0 || number >= ImageMessageCount || !m_running)
        return Refusal::NoSuchMessage;
    return m_engine->callUp(number, variables) ? Refusal::None : Refusal::NoSuchMessage;
}

Refusal SimulatedUnit::loadMessage(int number, int task, std::span<const std::uint8_t> code)
{
    if (number < 0 || number >= ImageMessageCount || task < 0 || task > 3 || code.empty())
        return Refusal::BadRequest;
    // The message joins what runs now, in memory only; the flash stays as it is.
    UnitImage image;
    if (m_running) {
        image = *m_running;
    } else {
        image.memoryCode = memoryCode();
        image.scriptVersion = m_options.firmwareMajor >= 4 ? 2 : 1;
    }
    auto& entry = image.directory[static_cast<std::size_t>(number)];
    entry.offset = static_cast<std::uint32_t>(image.code.size());
    entry.length = static_cast<std::uint32_t>(code.size());
    entry.task = static_cast<std::uint8_t>(task);
    image.code.insert(image.code.end(), code.begin(), code.end());
    m_running = std::move(image);
    m_engine->load(*m_running);
    return m_engine->callUp(number) ? Refusal::None : Refusal::NoSuchMessage;
}

Refusal SimulatedUnit::reboot()
{
    restart();
    return Refusal::None;
}

} // namespace marquis::unit
