// `mq5300 frames` without the process: the simulated display of a demo message played for 10 s
// and sampled every 5 ms into JSON lines.

#include "files/editorsession.h"
#include "framesoutput.h"
#include "model/crccomponent.h"
#include "platform/executablefolder.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace marquis;

namespace {

// A demo message as the editor loads it from the demo script.
CurrentMessage demoMessage(int number)
{
    CrcComponent crc { executableFolder() };
    SilentUserInterface ui;
    DiskFileSystem files;
    const std::string folder = executableFolder().string() + "/";
    EditorSession session(crc, ui, files, ProgramFolders { folder, folder },
        defaultPreferences(folder));
    if (!session.openScriptFile(std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src"))
        return {};
    session.store().LoadMessage(number);
    session.reader().ReadFields(session.message());
    return session.message();
}

// Message 1 is the busiest of the demo: a line scrolling at 250 ms a character beside a line
// blinking every 400 ms, 65 timer ticks and 60 changes of the rows in 10 s.
void BM_FramesOfTheBusiestDemoMessage(benchmark::State& state)
{
    const CurrentMessage message = demoMessage(1);
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::string output;
        cli::writeFrames(message, 10'000, 5, [&](std::string_view text) { output += text; });
        bytes = output.size();
        benchmark::DoNotOptimize(output.data());
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_FramesOfTheBusiestDemoMessage)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
