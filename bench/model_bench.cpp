// Write, check value and read back of one message: the work of one step between messages, and
// of opening or saving a file message by message.

#include "model/crccomponent.h"
#include "model/scriptreader.h"
#include "model/scriptwriter.h"
#include "platform/executablefolder.h"
#include "samplemessages.h"

#include <benchmark/benchmark.h>

using namespace marquis;
using namespace marquis::bench;

namespace {

void writeCheckAndRead(benchmark::State& state, const CurrentMessage& original)
{
    CrcComponent crc(executableFolder());
    if (!crc.available()) {
        state.SkipWithError(crc.errorText().c_str());
        return;
    }
    SilentUserInterface ui;
    ScriptWriter writer(crc, ui);
    ScriptReader reader(crc, ui);
    CurrentMessage message = original;
    for (auto _ : state) {
        writer.SubMake(message);
        reader.ReadFields(message);
        benchmark::DoNotOptimize(message.MessageScript.data());
    }
    if (message.ScriptEditOnly)
        state.SkipWithError("the message failed its own check value");
}

void BM_WorkedExample(benchmark::State& state)
{
    writeCheckAndRead(state, workedExample());
}
void BM_FullMessage(benchmark::State& state)
{
    writeCheckAndRead(state, fullMessage(1000));
}

BENCHMARK(BM_WorkedExample);
BENCHMARK(BM_FullMessage);

} // namespace

BENCHMARK_MAIN();
