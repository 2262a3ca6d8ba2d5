// Compiling and assembling a script of 1024 full messages, file to file, as the editor runs the
// two tools after saving; the goal is under half a second for both.

#include "model/crccomponent.h"
#include "model/scriptwriter.h"
#include "platform/executablefolder.h"
#include "samplemessages.h"
#include "scriptcode/tooldrivers.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace marquis;
using namespace marquis::bench;

namespace {

constexpr int MessageCount = 1024;

// A work folder with the script, made once per run.
class CompileFolder {
public:
    CompileFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "mq5300-compile-XXXXXX").string();
        folder = std::string(::mkdtemp(pattern.data())) + "/";
        CrcComponent crc(executableFolder());
        if (!crc.available()) {
            error = crc.errorText();
            return;
        }
        const std::string text = fullScriptFile(crc);
        std::ofstream(folder + "messages.src", std::ios::binary) << text;
        sourceBytes = text.size();
    }
    ~CompileFolder() { std::filesystem::remove_all(folder); }

    std::string folder;
    std::string error;
    std::size_t sourceBytes = 0;
};

void BM_CompileAndAssemble1024Messages(benchmark::State& state)
{
    CompileFolder work;
    if (!work.error.empty()) {
        state.SkipWithError(work.error.c_str());
        return;
    }
    const std::string base = work.folder + "messages";
    const std::vector<std::string> compile { base + ".src", base, "/error", base, "/include",
        executableFolder().string() + "/", "/log", base };
    const std::vector<std::string> assemble { base, base, "/error", base, "/log", base };
    std::ostringstream messages;
    for (auto _ : state) {
        if (unit::runCompilerTool(compile, messages) != 0 ||
            unit::runAssemblerTool(assemble, messages) != 0) {
            state.SkipWithError(("the script did not build: " + messages.str()).c_str());
            return;
        }
    }
    state.counters["source_bytes"] = static_cast<double>(work.sourceBytes);
    state.counters["image_bytes"] = static_cast<double>(std::filesystem::file_size(base + ".bin"));
}

BENCHMARK(BM_CompileAndAssemble1024Messages)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
