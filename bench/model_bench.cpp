// Write, check value and read back of one message: the work of one step between messages, and
// of opening or saving a file message by message.

#include "model/crccomponent.h"
#include "model/scriptreader.h"
#include "model/scriptwriter.h"
#include "platform/executablefolder.h"

#include <benchmark/benchmark.h>

using namespace marquis;

namespace {

CurrentMessage workedExample()
{
    CurrentMessage message;
    message.MessageNumber = 5;
    message.setTask(1);
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 Hello \\f65 \\cf0 WORLD";
    message.line(1).LineBlink = "25,ON";
    message.line(2).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 Line two";
    return message;
}

// Four lines with every attribute: centring, blinking, all variable kinds, a scrolled line,
// a block-played line, start lists, send text, relay, clear screen and lock.
CurrentMessage fullMessage()
{
    CurrentMessage message;
    message.MessageNumber = 1000;
    message.setTask(2);
    message.line(1).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 Temp \\f50 \\cf4 ##.#\\f0 \\cf0  C";
    message.line(1).LineBlink = "40,1";
    message.line(1).LineFont = "ENGLISH";
    message.line(2).LineText =
        "\\sb90\\sa90 \\f65 \\cf0 ALERT \\f3 \\cf4 ###\\f35 \\cf4 ####\\f20 \\cf4 ##";
    message.line(2).LineBlink = "25,ON";
    message.line(3).LineText =
        "\\sb90\\sa90 \\f0 \\cf0 This line scrolls across the display all day long";
    message.line(3).LineScroll = "25,0";
    message.line(4).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 FIRST BLOCK\\par\r\n\\f0 \\cf0 "
                               "SECOND\\par\r\n\\ql \\f65 \\cf0 THIRD \"Q\"";
    message.line(4).LineBlock = "0,3";
    message.line(4).LineBlink = "25,ON";
    message.BlockScrollOn = true;
    message.BlockWait = "10";
    message.StartOtherTask = "1,2";
    message.StartSameTask = "3,4";
    message.OutputDevice = "ALARM ON LINE 4";
    message.RelayState = "ON";
    message.ClearScreen = "CLS";
    message.LockOn = "ON";
    message.LockOff = "OFF";
    return message;
}

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
    writeCheckAndRead(state, fullMessage());
}

BENCHMARK(BM_WorkedExample);
BENCHMARK(BM_FullMessage);

} // namespace

BENCHMARK_MAIN();
