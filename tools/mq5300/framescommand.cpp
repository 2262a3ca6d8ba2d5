#include "commanderror.h"
#include "commands.h"
#include "framesoutput.h"
#include "messageloading.h"
#include "model/numberformat.h"
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
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view word = arguments[i];
        const auto value = [&]() -> std::string_view {
            if (i + 1 >= arguments.size())
                throw CommandError(std::string(word) + " needs a value");
            return arguments[++i];
        };
        if (word == "--message") {
            options.message = numberOption(word, value(), 0, MessageCount - 1);
        } else if (word == "--ms") {
            options.untilMs = numberOption(word, value(), 0, MaxFramesMs);
        } else if (word == "--step") {
            // A step longer than the play is allowed: it samples time 0 only.
            options.stepMs = numberOption(word, value(), 1, MaxFramesMs);
        } else if (word.starts_with("-")) {
            throw CommandError("unknown option \"" + printable(word) + "\" for frames");
        } else if (options.source.empty()) {
            options.source = word;
        } else {
            throw CommandError("frames takes one script file");
        }
    }
    if (options.source.empty())
        throw CommandError("frames takes a script file");
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
