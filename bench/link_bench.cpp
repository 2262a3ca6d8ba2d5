// Programming throughput of the serial link on the simulated unit pacing its line at 19200
// baud: the payload's share of what the line could carry in the same time.

#include "../tests/support/simulatorprocess.h"
#include "unitlink/crc.h"
#include "unitlink/serialport.h"
#include "unitlink/unitclient.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace {

using namespace marquis::unit;

constexpr int Baud = 19200;

void programAt19200(benchmark::State& state)
{
    const auto size = static_cast<std::size_t>(state.range(0));
    const auto folder = std::filesystem::temp_directory_path() /
        ("marquis-link-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string link = (folder / "com1").string();
    marquis::testing::SimulatorProcess unit(link,
        { "--program-mode", "on", "--baud", std::to_string(Baud), "--flash",
            (folder / "flash.img").string() });
    std::string error;
    auto port = unit.ready() ? openSerialPort(link, Baud, error) : nullptr;
    if (!port) {
        state.SkipWithError(("no simulated unit: " + error + unit.output()).c_str());
        std::filesystem::remove_all(folder);
        return;
    }
    std::vector<std::uint8_t> image(size);
    std::mt19937 random(5);
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(random());

    LinkSettings settings;
    settings.baud = Baud;
    UnitClient client(*port, settings, 1);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        FlashSummary written;
        const bool done = client.erase().ok() &&
            client.program(image, blockSizeFor(Baud, 1024), written).ok() &&
            written.crc == crc32(image) && written.size == image.size();
        seconds += std::chrono::duration<double>(Clock::now() - start).count();
        if (!done) {
            state.SkipWithError("programming failed");
            break;
        }
    }
    const double runs = static_cast<double>(state.iterations());
    // Each byte takes ten bits on the line (start, eight data bits, stop).
    state.counters["line_use"] = size * 10.0 * runs / (Baud * seconds);
    state.counters["data_bits_share"] = size * 8.0 * runs / (Baud * seconds);
    state.counters["bytes_per_s"] = size * runs / seconds;
    std::filesystem::remove_all(folder);
}

BENCHMARK(programAt19200)->Arg(32 * 1024)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
