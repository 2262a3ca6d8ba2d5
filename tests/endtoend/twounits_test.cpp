#include "support/displayrows.h"
#include "support/processrunner.h"
#include "support/sessionfixture.h"
#include "support/simulatorprocess.h"

#include <array>
#include <filesystem>
#include <functional>
#include <thread>

using namespace marquis;
using namespace marquis::testing;

namespace {

// Two simulated units on COM 1 and COM 2, and mq5300 commands to both at the same time, as two
// shells or an editor and a script would send them: every command must reach its own unit.
class TwoUnitsTest : public SessionTest {
protected:
    void SetUp() override
    {
        for (std::size_t k = 0; k < units.size(); ++k) {
            Unit& unit = units[k];
            const std::string name = "unit" + std::to_string(k + 1);
            unit.link = (unitFolder / (name + ".link")).string();
            unit.display = (unitFolder / (name + ".display")).string();
            unit.flash = (unitFolder / (name + ".flash")).string();
            unit.simulator = std::make_unique<SimulatorProcess>(unit.link,
                std::vector<std::string> { "--model", "5360", "--flash", unit.flash,
                    "--program-mode", "on", "--baud", "38400", "--display", unit.display });
            ASSERT_TRUE(unit.simulator->ready()) << unit.simulator->output();
        }
    }

    // Runs `mq5300 <arguments> --port N --baud 38400` for both units at once; the results of
    // unit 1 and unit 2.
    std::array<ProcessResult, 2> bothAtOnce(
        const std::function<std::vector<std::string>(int port)>& arguments)
    {
        std::array<ProcessResult, 2> results;
        std::array<std::thread, 2> runs;
        for (int port = 1; port <= 2; ++port)
            runs[static_cast<std::size_t>(port - 1)] = std::thread([&, port] {
                std::vector<std::string> command { std::string(MARQUIS_BIN_DIR) + "/mq5300" };
                for (const std::string& word : arguments(port))
                    command.push_back(word);
                for (const std::string& word : { std::string("--port"), std::to_string(port),
                         std::string("--baud"), std::string("38400") })
                    command.push_back(word);
                results[static_cast<std::size_t>(port - 1)] =
                    runProcess(command, {}, environment());
            });
        for (std::thread& run : runs)
            run.join();
        return results;
    }

    std::vector<std::string> environment() const
    {
        return { "MARQUIS_COM1=" + units[0].link, "MARQUIS_COM2=" + units[1].link,
            "XDG_RUNTIME_DIR=" + runtimeFolder.path().string() };
    }

    struct Unit {
        std::string link;
        std::string display;
        std::string flash;
        std::unique_ptr<SimulatorProcess> simulator;
    };
    TemporaryFolder unitFolder;
    TemporaryFolder runtimeFolder;
    std::array<Unit, 2> units;
};

TEST_F(TwoUnitsTest, EachCommandReachesItsOwnUnit)
{
    const std::string script =
        workFolder
            .write("pair.src",
                scriptFileText({ textMessage(30, { "THIRTY" }), textMessage(31, { "THIRTY-ONE" }) },
                    session->writer(), "5360"))
            .string();
    const ProcessResult built = runProcess(
        { std::string(MARQUIS_BIN_DIR) + "/mq5300", "build", script }, {}, environment());
    ASSERT_EQ(built.exitCode, 0) << built.output << built.errors;
    const std::string binary = workFolder.folder() + "pair.bin";
    const std::string image = readWholeFile(binary);
    ASSERT_FALSE(image.empty());

    // Both units programmed from the one binary at once: its list and report may not be shared.
    for (const ProcessResult& result : bothAtOnce([&](int) {
             return std::vector<std::string> { "program", binary };
         }))
        EXPECT_EQ(result.exitCode, 0) << result.output << result.errors;
    for (const Unit& unit : units)
        EXPECT_TRUE(readWholeFile(unit.flash) == image) << unit.flash;

    const std::string texts[] = { "THIRTY              ", "THIRTY-ONE          " };
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // The messages change places each round, so a command that went astray leaves a unit
        // showing the wrong one.
        auto number = [round](int port) { return 30 + (port + round) % 2; };
        const std::array<ProcessResult, 2> results = bothAtOnce([&](int port) {
            return std::vector<std::string> { "callup", std::to_string(number(port)) };
        });
        for (int port = 1; port <= 2; ++port) {
            const auto k = static_cast<std::size_t>(port - 1);
            EXPECT_EQ(results[k].exitCode, 0) << results[k].errors;
            EXPECT_NE(
                results[k].output.find("Message " + std::to_string(number(port)) + " called up"),
                std::string::npos)
                << results[k].output;
            const std::string& expected = texts[number(port) - 30];
            const std::vector<std::string> rows = displayRowsShowing(units[k].display, 1, expected);
            ASSERT_FALSE(rows.empty());
            EXPECT_EQ(rows[0], expected) << "unit " << port;
        }
    }
    // Every command took its work folder away with it.
    EXPECT_TRUE(std::filesystem::is_empty(runtimeFolder.path()));
    for (const char* name : { "pair.lst", "pair.log" })
        EXPECT_FALSE(std::filesystem::exists(workFolder / name)) << name;
}

} // namespace
