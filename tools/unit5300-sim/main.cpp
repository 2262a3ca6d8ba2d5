// unit5300-sim: a unit on a pseudo-terminal. It answers the link's protocol, keeps its flash in
// a file, runs messages with the message engine and shows its display in a file or on the
// terminal, pacing its line at the chosen rate, optionally with lost and damaged bytes.

#include "pacedline.h"
#include "simoptions.h"
#include "simulatedunit.h"
#include "unitlink/pseudoterminal.h"
#include "unitlink/unitregistry.h"
#include "unitlink/unitresponder.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <exception>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

using namespace marquis::unit;
using Clock = std::chrono::steady_clock;

// How often the engine is advanced.
constexpr auto EngineStep = std::chrono::milliseconds(50);
// A frame that stops arriving for this long is given up.
constexpr auto QuietLine = std::chrono::milliseconds(200);

void say(const std::string& text)
{
    std::fprintf(stderr, "unit5300-sim: %s\n", text.c_str());
}

class Simulator {
public:
    explicit Simulator(const SimOptions& options)
        : m_options(options)
        , m_unit(options)
        , m_responder(static_cast<std::uint8_t>(options.address), m_unit)
        , m_line(options.baud, options.dropRate, options.corruptRate, options.seed)
    {
    }

    int run()
    {
        // The stop signals arrive as readable data, handled in the loop like the line, so that
        // the simulator always ends the same way and removes its link. A closed terminal
        // (SIGHUP) stops it too.
        sigset_t stops;
        sigemptyset(&stops);
        sigaddset(&stops, SIGTERM);
        sigaddset(&stops, SIGINT);
        sigaddset(&stops, SIGHUP);
        sigprocmask(SIG_BLOCK, &stops, nullptr);
        const int signals = ::signalfd(-1, &stops, SFD_CLOEXEC | SFD_NONBLOCK);

        std::string error;
        if (signals < 0 || !m_unit.start(error) || !m_terminal.open(error) ||
            !m_terminal.linkAs(m_options.linkPath, error)) {
            say(error.empty() ? "cannot watch for signals" : error);
            return 1;
        }
        // The editor lists the units announced here among the serial devices it offers.
        const UnitAnnouncement announcement(
            unitRegistryFolder([](const char* name) { return std::getenv(name); }),
            m_options.linkPath, m_options.model);
        showDisplay();
        std::printf("%s\n", m_options.linkPath.c_str());
        std::fflush(stdout);

        auto nextStep = Clock::now() + EngineStep;
        auto lastStep = Clock::now();
        auto lastByte = Clock::now();
        for (;;) {
            const auto now = Clock::now();
            const bool moreWaiting = receive(now, lastByte);
            if (m_responder.waitingForRestOfFrame() && now - lastByte > QuietLine)
                m_line.send(m_responder.lineQuiet());
            transmit(now);
            if (now >= nextStep) {
                const auto elapsed =
                    std::chrono::duration_cast<std::chrono::milliseconds>(now - lastStep);
                lastStep += elapsed;
                nextStep = now + EngineStep;
                if (m_unit.advance(static_cast<int>(elapsed.count())))
                    showDisplay();
                sendOut();
            }
            for (const std::string& note : m_unit.takeNotes())
                say(note);

            // Wake for the next byte of a paced transfer, else for the line, a signal or the
            // engine.
            int wait = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(nextStep - Clock::now())
                    .count());
            if (m_line.sending() || moreWaiting)
                wait = 1;
            std::array<pollfd, 2> fds { { { signals, POLLIN, 0 },
                { moreWaiting ? -1 : m_terminal.master(), POLLIN, 0 } } };
            if (::poll(fds.data(), fds.size(), std::max(0, wait)) < 0 && errno != EINTR)
                break;
            if (fds[0].revents & POLLIN) {
                signalfd_siginfo info {};
                [[maybe_unused]] const auto got = ::read(signals, &info, sizeof info);
                break;
            }
        }
        ::close(signals);
        return 0;
    }

private:
    // Takes what the line rate allows; true when more bytes may be waiting.
    bool receive(Clock::time_point now, Clock::time_point& lastByte)
    {
        const std::size_t allowed = m_line.receivable(now);
        if (allowed == 0)
            return true;
        std::array<std::uint8_t, 4096> buffer {};
        const ssize_t count =
            ::read(m_terminal.master(), buffer.data(), std::min(allowed, buffer.size()));
        if (count <= 0)
            return false; // nothing there (EAGAIN), or no link has the line open (EIO)
        lastByte = now;
        const auto bytes =
            m_line.took(std::span(buffer).first(static_cast<std::size_t>(count)), now);
        m_line.send(m_responder.receive(bytes));
        return true;
    }

    void transmit(Clock::time_point now)
    {
        const auto bytes = m_line.due(now);
        if (bytes.empty())
            return;
        const ssize_t written = ::write(m_terminal.master(), bytes.data(), bytes.size());
        // Bytes that find no room are lost, as on a line nobody listens to.
        m_line.sent(written > 0 ? static_cast<std::size_t>(written) : bytes.size(), now);
    }

    // What the messages sent out of the serial port goes to the serial-out file; with --show
    // it and what they passed to a slave unit are reported on the terminal.
    void sendOut()
    {
        const std::string serial = m_unit.takeSerialOutput();
        const std::string slave = m_unit.takeSlaveOutput();
        if (!serial.empty() && !m_options.serialOutFile.empty()) {
            std::string error;
            if (!appendSerialFile(m_options.serialOutFile, serial, error))
                say(error);
        }
        if (!m_options.show)
            return;
        if (!serial.empty())
            std::printf("serial out: %s\n", visibleBytes(serial).c_str());
        for (std::size_t begin = 0; begin < slave.size();) {
            const std::size_t end = slave.find("\r\n", begin);
            const std::string piece = slave.substr(begin, end - begin);
            std::printf("to slave unit: %s\n", visibleBytes(piece).c_str());
            begin = end == std::string::npos ? slave.size() : end + 2;
        }
        std::fflush(stdout);
    }

    void showDisplay()
    {
        const DisplayState& display = m_unit.display();
        if (!m_options.displayFile.empty()) {
            std::string error;
            if (!writeDisplayFile(m_options.displayFile, display, error))
                say(error);
        }
        if (m_options.show) {
            std::printf("%s", displayPicture(display).c_str());
            std::fflush(stdout);
        }
    }

    SimOptions m_options;
    SimulatedUnit m_unit;
    UnitResponder m_responder;
    PacedLine m_line;
    PseudoTerminal m_terminal;
};

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
        std::fputs(SimUsage, stdout);
        return 0;
    }
    std::string error;
    const auto options = parseSimOptions(arguments, error);
    if (!options) {
        say(error);
        std::fputs(SimUsage, stderr);
        return 2;
    }
    try {
        Simulator simulator(*options);
        return simulator.run();
    } catch (const std::exception& e) {
        say(std::string("internal error: ") + e.what());
        return 1;
    }
}
