#include "unitcommands.h"

#include "binaryfile.h"
#include "scriptcode/displayunit.h"
#include "unitlink/comports.h"
#include "unitlink/serialport.h"
#include "unitlink/unitclient.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <random>

namespace marquis::unit {
namespace {

std::string modelOfMemory(int memoryCode)
{
    return memoryCode == 0x40 ? "5320" : "5360";
}

// The CRC-32 a person can compare with an image's: its content CRC, which is the check value
// at the image's end; the whole flash's CRC-32 from a unit that does not report it.
std::uint32_t shownCrc(const FlashSummary& flash)
{
    return flash.contentCrc.value_or(flash.crc);
}

// "12345 bytes with CRC-32 0x1A2B3C4D (0x2144DF1C over all of them)": both values, so that a
// difference in the last four bytes shows too.
std::string describeFlash(const FlashSummary& flash)
{
    return std::to_string(flash.size) + " bytes with CRC-32 " + hex32(shownCrc(flash)) + " (" +
        hex32(flash.crc) + " over all of them)";
}

// A unit image read from a file and checked; no value after saying why in the report.
std::optional<UnitImage> loadImage(
    const std::string& path, std::vector<std::uint8_t>& bytes, Report& report)
{
    std::string error;
    if (!readBinaryFile(path, bytes, error)) {
        report.line("Cannot read " + path + ": " + error + ".");
        return std::nullopt;
    }
    auto image = UnitImage::parse(bytes, error);
    if (!image)
        report.line(path + " is not a valid unit image: " + error + ".");
    return image;
}

// The link to the unit, and what the unit says about itself.
class Session {
public:
    Session(const Invocation& invocation, Report& report)
        : m_invocation(invocation)
        , m_report(report)
    {
    }

    bool open()
    {
        const PortLocation port = locateComPort(m_invocation.comPort, runningProgramFolder(),
            [](const char* name) { return std::getenv(name); });
        m_report.line("Unit " + std::to_string(m_invocation.address) + " on COM" +
            std::to_string(m_invocation.comPort) + " (" + port.path + "), " +
            std::to_string(m_invocation.baud) + " baud.");
        std::string error;
        PortTrouble trouble = PortTrouble::None;
        m_channel = openSerialPort(port.path, m_invocation.baud, error, &trouble);
        if (!m_channel) {
            m_report.line(portTroubleText(m_invocation.comPort, port.path, trouble, error) +
                " Check the COM port setting; the devices of the COM ports are set by " +
                "MARQUIS_COM" +
                std::to_string(m_invocation.comPort) + " or in 5300.ports beside the tool.");
            return false;
        }
        LinkSettings settings;
        settings.address = static_cast<std::uint8_t>(m_invocation.address);
        settings.baud = m_invocation.baud;
        m_client.emplace(*m_channel, settings, static_cast<std::uint8_t>(std::random_device {}()));
        return true;
    }

    // Asks the unit who it is. Every command starts with this: a missing unit is reported
    // before anything else is tried, and the unit's memory of the last request it answered
    // (kept to answer a repeated request again) never mixes up two runs.
    bool identify()
    {
        if (!check(m_client->info(m_info)))
            return false;
        if (m_info.memoryCode != m_invocation.memoryCode)
            m_report.line("Note: the settings name a model " +
                modelOfMemory(m_invocation.memoryCode) + ", but the unit is a model " +
                std::to_string(m_info.model) + ".");
        return true;
    }

    bool check(const Exchange& exchange)
    {
        if (!exchange.ok())
            m_report.line(m_client->explain(exchange));
        return exchange.ok();
    }

    UnitClient& client() { return *m_client; }
    const UnitInfo& info() const { return m_info; }

private:
    const Invocation& m_invocation;
    Report& m_report;
    std::unique_ptr<FdChannel> m_channel;
    std::optional<UnitClient> m_client;
    UnitInfo m_info;
};

bool versionQuery(const Invocation& invocation, Session& session, Report& report)
{
    if (!session.identify())
        return false;
    const UnitInfo& info = session.info();
    report.line("Version " + info.firmware() + ", model " + std::to_string(info.model));
    report.line(std::string("Program mode: ") + (info.programMode ? "on" : "off"));
    if (info.flashSize == 0) {
        report.line("Flash: empty");
        return true;
    }
    report.line("Flash: " + std::to_string(info.flashSize) + " bytes, CRC-32 " +
        hex32(shownCrc(info.flash())));
    const std::string binary = invocation.leading[0] + ".bin";
    std::vector<std::uint8_t> bytes;
    std::string error;
    if (readBinaryFile(binary, bytes, error)) {
        switch (compareFlash(info.flash(), bytes)) {
        case FlashMatch::Same:
            report.line("The flash holds " + binary + ".");
            break;
        case FlashMatch::Different:
            report.line("The flash does not hold " + binary + ".");
            break;
        case FlashMatch::Unknown:
            report.line("The flash holds an image of the size of " + binary +
                ", but the unit does not report enough to tell whether it is this one.");
            break;
        }
    }
    return true;
}

bool programFlash(const Invocation& invocation, Session& session, Report& report)
{
    const std::string binary = invocation.leading[0] + ".bin";
    std::vector<std::uint8_t> bytes;
    const auto image = loadImage(binary, bytes, report);
    if (!image) {
        report.line("Nothing was sent to the unit.");
        return false;
    }
    if (!session.open() || !session.identify())
        return false;
    const UnitInfo& info = session.info();
    if (image->memoryCode != info.memoryCode) {
        report.line(binary + " is made for a model " + modelOfMemory(image->memoryCode) +
            ", but the unit is a model " + std::to_string(info.model) +
            ". The flash was not changed.");
        return false;
    }
    if (info.flashCapacity != 0 && bytes.size() > info.flashCapacity) {
        report.line(binary + " (" + std::to_string(bytes.size()) + " bytes) does not fit " +
            "into the unit's flash (" + std::to_string(info.flashCapacity) +
            " bytes). The flash was not changed.");
        return false;
    }
    if (!session.check(session.client().erase())) {
        report.line("The flash was not changed.");
        return false;
    }
    report.line("Flash erased.");
    FlashSummary written;
    const std::size_t block = blockSizeFor(invocation.baud, info.maxBlock);
    if (!session.check(session.client().program(bytes, block, written))) {
        report.line("Programming did not finish; the flash is now incomplete. "
                    "Program it again.");
        return false;
    }
    const FlashMatch match = compareFlash(written, bytes);
    if (match == FlashMatch::Different) {
        report.line("CRC mismatch after programming: the unit holds " + describeFlash(written) +
            ", but " + binary + " has " + describeFlash(FlashSummary::of(bytes)) +
            ". The flash does not hold the image; program it again.");
        return false;
    }
    if (match == FlashMatch::Unknown) {
        report.line("The unit holds " + std::to_string(written.size) +
            " bytes, but does not report enough to tell whether they are " + binary +
            ". Check the unit's firmware; the flash may not hold the image.");
        return false;
    }
    report.line("Programmed " + std::to_string(bytes.size()) + " bytes from " + binary +
        "; the unit reports CRC-32 " + hex32(*written.contentCrc) + ", the same as the image.");
    const int resent = session.client().counters().framesResent;
    if (resent > 0)
        report.line(
            std::to_string(resent) + " frame(s) had to be sent again; the line may be noisy.");
    return true;
}

std::optional<int> messageNumber(const std::string& text, Report& report)
{
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || number < 0 || number >= ImageMessageCount) {
        report.line("The message number \"" + text + "\" is not a number from 0 to " +
            std::to_string(ImageMessageCount - 1) + ".");
        return std::nullopt;
    }
    return static_cast<int>(number);
}

bool callUp(const Invocation& invocation, Session& session, Report& report)
{
    const auto number = messageNumber(invocation.leading[0], report);
    if (!number)
        return false;
    const std::string variables =
        invocation.leading.size() > 1 ? invocation.leading[1] : std::string();
    if (variables.size() > 255) {
        report.line("The variable string is longer than 255 characters.");
        return false;
    }
    if (!session.open() || !session.identify())
        return false;
    const Exchange exchange = session.client().callUp(*number, variables);
    if (exchange.status == LinkStatus::Refused && exchange.refusal == Refusal::NoSuchMessage) {
        report.line("Message " + std::to_string(*number) + " is not in the unit.");
        return false;
    }
    if (!session.check(exchange))
        return false;
    report.line("Message " + std::to_string(*number) + " called up" +
        (variables.empty() ? "." : " with the variables \"" + variables + "\"."));
    return true;
}

bool eraseFlash(Session& session, Report& report)
{
    if (!session.open() || !session.identify())
        return false;
    if (!session.check(session.client().erase())) {
        report.line("The flash was not changed.");
        return false;
    }
    report.line("Flash erased.");
    return true;
}

bool reboot(const Invocation& invocation, Session& session, Report& report)
{
    if (!session.open() || !session.identify() || !session.check(session.client().reboot()))
        return false;
    report.line("Unit " + std::to_string(invocation.address) + " is restarting.");
    return true;
}

bool sendMessage(const Invocation& invocation, Session& session, Report& report)
{
    const std::string& binary = invocation.leading[0];
    const auto number = messageNumber(invocation.leading[1], report);
    if (!number)
        return false;
    std::vector<std::uint8_t> bytes;
    const auto image = loadImage(binary, bytes, report);
    if (!image)
        return false;
    const UnitImage::Entry& entry = image->directory[static_cast<std::size_t>(*number)];
    if (entry.length == 0) {
        report.line("Message " + std::to_string(*number) + " is not in " + binary + ".");
        return false;
    }
    if (std::uint64_t { entry.offset } + entry.length > image->code.size()) {
        report.line("Message " + std::to_string(*number) + " of " + binary +
            " lies outside the file's code.");
        return false;
    }
    const auto begin = image->code.begin() + entry.offset;
    const std::vector<std::uint8_t> code(begin, begin + entry.length);
    if (!session.open() || !session.identify())
        return false;
    if (image->memoryCode != session.info().memoryCode) {
        report.line(binary + " is made for a model " + modelOfMemory(image->memoryCode) +
            ", but the unit is a model " + std::to_string(session.info().model) + ".");
        return false;
    }
    if (!session.check(session.client().loadMessage(*number, entry.task, code)))
        return false;
    report.line("Message " + std::to_string(*number) + " (task " + std::to_string(entry.task) +
        ", " + std::to_string(code.size()) + " bytes of code) from " + binary +
        " was loaded into the unit and started; the flash was not changed.");
    return true;
}

bool readFlash(const Invocation& invocation, Session& session, Report& report)
{
    const std::string target = invocation.leading[0] + ".bin";
    if (!session.open() || !session.identify())
        return false;
    const UnitInfo& info = session.info();
    if (info.flashSize == 0) {
        report.line("The unit's flash is empty; " + target + " was not written.");
        return false;
    }
    std::vector<std::uint8_t> bytes;
    const std::size_t block = blockSizeFor(invocation.baud, info.maxBlock);
    if (!session.check(session.client().readFlash(info.flashSize, block, bytes))) {
        report.line(target + " was not written.");
        return false;
    }
    // A unit that does not report its content CRC is checked by size and CRC-32 alone: the
    // blocks came with their own CRCs, so this guards the transfer, which is what it is for.
    const FlashSummary got = FlashSummary::of(bytes);
    if (compareFlash(info.flash(), bytes) == FlashMatch::Different) {
        report.line("CRC mismatch after reading: the data has " + describeFlash(got) +
            ", but the unit reports " + describeFlash(info.flash()) + ". " + target +
            " was not written; read the flash again.");
        return false;
    }
    std::string error;
    if (!writeBinaryFile(target, bytes, error)) {
        report.line("Cannot write " + target + ": " + error + ".");
        return false;
    }
    report.line("Read " + std::to_string(bytes.size()) + " bytes with CRC-32 " +
        hex32(*got.contentCrc) + " (verified) into " + target + ".");
    return true;
}

} // namespace

bool runUnitCommand(const Invocation& invocation, Report& report)
{
    report.line("5300 unit link: " + commandName(invocation.command));
    Session session(invocation, report);
    switch (invocation.command) {
    case UnitCommand::Version:
        return session.open() && versionQuery(invocation, session, report);
    case UnitCommand::Program:
        return programFlash(invocation, session, report);
    case UnitCommand::CallUp:
        return callUp(invocation, session, report);
    case UnitCommand::Erase:
        return eraseFlash(session, report);
    case UnitCommand::Reboot:
        return reboot(invocation, session, report);
    case UnitCommand::SendMessage:
        return sendMessage(invocation, session, report);
    case UnitCommand::ReadFlash:
        return readFlash(invocation, session, report);
    }
    return false;
}

} // namespace marquis::unit
