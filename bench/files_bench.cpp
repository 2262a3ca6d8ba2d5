// Opening, saving and stepping through a file of 1024 messages, each measured beside the plain
// file operation it is compared with in the same run.

#include "files/editorsession.h"
#include "model/crccomponent.h"
#include "platform/executablefolder.h"
#include "samplemessages.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace marquis;
using namespace marquis::bench;

namespace {

// A work folder with a script file of 1024 full messages, made once per run.
class BenchFolder {
public:
    BenchFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "mq5300-bench-XXXXXX").string();
        folder = std::string(::mkdtemp(pattern.data())) + "/";
        const std::string text = fullScriptFile(crc);
        script = folder + "messages.src";
        std::ofstream(script, std::ios::binary) << text;
    }
    ~BenchFolder() { std::filesystem::remove_all(folder); }

    std::unique_ptr<EditorSession> session()
    {
        Preferences preferences = defaultPreferences(folder);
        preferences.UnitType = "5360";
        auto opened = std::make_unique<EditorSession>(
            crc, ui, files, ProgramFolders { folder, folder }, preferences);
        opened->openScriptFile(script);
        return opened;
    }

    CrcComponent crc { executableFolder() };
    SilentUserInterface ui;
    DiskFileSystem files;
    std::string folder;
    std::string script;
};

BenchFolder& work()
{
    static BenchFolder folder;
    return folder;
}

void BM_ReadFileLineByLine(benchmark::State& state)
{
    for (auto _ : state) {
        std::ifstream in(work().script, std::ios::binary);
        std::string line;
        std::size_t lines = 0;
        while (std::getline(in, line))
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
}

void BM_OpenFile(benchmark::State& state)
{
    auto session = work().session();
    for (auto _ : state)
        benchmark::DoNotOptimize(session->openScriptFile(work().script));
}

void BM_CopyFileAndFlush(benchmark::State& state)
{
    const std::string copy = work().folder + "copy.src";
    for (auto _ : state) {
        std::ifstream in(work().script, std::ios::binary);
        std::FILE* out = std::fopen(copy.c_str(), "wb");
        char buffer[1 << 16];
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
            std::fwrite(buffer, 1, static_cast<std::size_t>(in.gcount()), out);
        std::fflush(out);
        ::fsync(::fileno(out));
        std::fclose(out);
    }
}

void BM_SaveFile(benchmark::State& state)
{
    auto session = work().session();
    const std::string target = work().folder + "saved.src";
    for (auto _ : state) {
        session->store().FileModified = true;
        if (!SaveFile(session->store(), session->store().ScriptFilePath, target,
                ScriptHeader { "5360", "2" }))
            state.SkipWithError("the save failed");
    }
}

// One step to the next message after changing the current one, with every message already in
// the temporary store, so storing rebuilds the store.
void BM_MessageStepWithEdit(benchmark::State& state)
{
    auto session = work().session();
    for (int n = 0; n < MessageCount; ++n) {
        session->goToMessage(n);
        session->message().line(1).LineText += "!";
    }
    session->goToMessage(0);
    int n = 0;
    for (auto _ : state) {
        session->message().line(1).LineText += "!";
        n = (n + 1) % MessageCount;
        if (!session->goToMessage(n))
            state.SkipWithError("the step failed");
    }
}

BENCHMARK(BM_ReadFileLineByLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyFileAndFlush)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MessageStepWithEdit)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
