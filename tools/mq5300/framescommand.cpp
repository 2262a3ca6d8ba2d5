#include "commanderror.h"
#include "commands.h"
#include "framesoutput.h"
#include "messageloading.h"
#include "model/numberformat.h"
#include "scriptarguments.h"
#include "scriptsession.h"
#include "textio.h"

#include <optional>
#include <string>

namespace marquis::cli {
namespace {

constexpr long long DefaultUntilMs = 10'000;
constexpr long long DefaultStepMs = 5;

struct FramesOptions {
    std::string source;
    std::optional<long long> message;
    long long untilMs = DefaultUntilMs;
    long long stepMs = DefaultStepMs;
};

FramesOptions readFramesOptions(Arguments arguments)
{
    FramesOptions options;
    options.source = readScriptFileArguments("frames", arguments, [&](auto word, auto& value) {
        if (word == "--message")
            options.message = numberOption(word, value(), 0, MessageCount - 1);
        else if (word == "--ms")
            options.untilMs = numberOption(word, value(), 0, MaxFramesMs);
        else if (word == "--step")
            // A step longer than the play is allowed: it samples time 0 only.
            options.stepMs = numberOption(word, value(), 1, MaxFramesMs);
        else
            return false;
        return true;
    });
    if (!options.message)
        throw CommandError("frames needs --message N");
    return options;
}

} // namespace

int framesCommand(Arguments arguments)
{
    const FramesOptions options = readFramesOptions(arguments);
    ScriptSession opened(options.source);
    const CurrentMessage& message = loadFileMessage(opened, static_cast<int>(*options.message));
    writeFrames(message, options.untilMs, options.stepMs,
        [](std::string_view text) { writeStandardOutput(text); });
    return 0;
}

} // namespace marquis::cli
