// The serial link on the simulated unit pacing its line at 19200 baud.
//
// programAt19200: programming throughput on a clean line, the payload's share of what the line
// could carry in the same time.
// noisyLine: programming and reading back the same image on a line that loses or changes 1% of
// its bytes (both directions, fixed seeds), so that the two directions can be compared: the
// time each took, whether it succeeded, and how many frames had to be sent again.
//
//   build/bench/bin/link_bench --benchmark_filter=noisyLine

#include "../tests/support/simulatorprocess.h"
#include "unitlink/crc.h"
#include "unitlink/serialport.h"
#include "unitlink/unitclient.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <unistd.h>

namespace {

using namespace marquis::unit;

constexpr int Baud = 19200;

std::vector<std::uint8_t> randomImage(std::size_t size)
{
    std::vector<std::uint8_t> image(size);
    std::mt19937 random(5);
    for (auto& byte : image)
        byte = static_cast<std::uint8_t>(random());
    return image;
}

// A folder of its own for one simulated unit, removed afterwards.
struct BenchFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
        ("marquis-link-bench-" + std::to_string(::getpid()));
    BenchFolder() { std::filesystem::create_directories(path); }
    ~BenchFolder() { std::filesystem::remove_all(path); }
};

void programAt19200(benchmark::State& state)
{
    const auto size = static_cast<std::size_t>(state.range(0));
    BenchFolder folder;
    const std::string link = (folder.path / "com1").string();
    marquis::testing::SimulatorProcess unit(link,
        { "--program-mode", "on", "--baud", std::to_string(Baud), "--flash",
            (folder.path / "flash.img").string() });
    std::string error;
    auto port = unit.ready() ? openSerialPort(link, Baud, error) : nullptr;
    if (!port) {
        state.SkipWithError(("no simulated unit: " + error + unit.output()).c_str());
        return;
    }
    const auto image = randomImage(size);
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
}

BENCHMARK(programAt19200)->Arg(32 * 1024)->Iterations(1)->Unit(benchmark::kSecond);

enum Direction { Program = 0, Read = 1 };
enum Fault { Drop = 0, Corrupt = 1 };

// Arguments: direction, fault, seed. A 16 KiB image, 1% of the bytes lost or changed.
void noisyLine(benchmark::State& state)
{
    const auto direction = static_cast<Direction>(state.range(0));
    const auto fault = static_cast<Fault>(state.range(1));
    const std::string seed = std::to_string(state.range(2));
    const auto image = randomImage(16 * 1024);
    BenchFolder folder;
    const std::string link = (folder.path / "com1").string();
    const auto flash = folder.path / "flash.img";
    if (direction == Read) {
        std::ofstream(flash, std::ios::binary)
            .write(reinterpret_cast<const char*>(image.data()),
                static_cast<std::streamsize>(image.size()));
    }
    marquis::testing::SimulatorProcess unit(link,
        { "--program-mode", "on", "--baud", std::to_string(Baud), "--flash", flash.string(),
            fault == Drop ? "--drop" : "--corrupt", "0.01", "--seed", seed });
    std::string error;
    auto port = unit.ready() ? openSerialPort(link, Baud, error) : nullptr;
    if (!port) {
        state.SkipWithError(("no simulated unit: " + error + unit.output()).c_str());
        return;
    }
    LinkSettings settings;
    settings.baud = Baud;
    UnitClient client(*port, settings, 1);
    bool done = false;
    double seconds = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        if (direction == Program) {
            FlashSummary written;
            done = client.program(image, blockSizeFor(Baud, 1024), written).ok() &&
                written.size == image.size() && written.crc == crc32(image);
        } else {
            std::vector<std::uint8_t> read;
            done = client
                       .readFlash(
                           static_cast<std::uint32_t>(image.size()), blockSizeFor(Baud, 1024), read)
                       .ok() &&
                read == image;
        }
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
    }
    state.SetLabel(std::string(direction == Program ? "program" : "read") +
        (fault == Drop ? " drop 1%" : " corrupt 1%") + " seed " + seed);
    state.counters["seconds"] = seconds;
    state.counters["ok"] = done ? 1 : 0;
    state.counters["frames_sent"] = client.counters().framesSent;
    state.counters["frames_resent"] = client.counters().framesResent;
}

BENCHMARK(noisyLine)
    ->ArgsProduct({ { Program, Read }, { Drop, Corrupt }, { 1, 2, 3, 4 } })
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
