#include "commanderror.h"
#include "commands.h"
#include "files/editorsession.h"
#include "framesoutput.h"
#include "model/numberformat.h"
#include "scriptsession.h"
#include "textio.h"

#include <cstdio>
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

long long numberOption(std::string_view option, std::string_view text, long long lowest,
    long long highest)
{
    long long value = 0;
    if (!parseWholeNumber(text, value) || value < lowest || value > highest)
        throw CommandError(std::string(option) + " takes a number from " +
            std::to_string(lowest) + " to " + std::to_string(highest) + ", not \"" +
            printable(text) + "\"");
    return value;
}

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
    EditorSession& session = opened.session();
    const int number = static_cast<int>(*options.message);
    if (session.store().MessageState.at(static_cast<std::size_t>(number)) == Absent)
        throw CommandError(
            "message " + std::to_string(number) + " is not in " + opened.name());
    // The message as the editor shows it when it goes to that message: its text from the file,
    // read into fields (variables in the placeholder of the editor's default settings); a text
    // changed by hand stays Script Edit only.
    session.preferences().PlaceholderChar =
        defaultPreferences(session.folders().program).PlaceholderChar;
    session.message().PlaceholderChar = session.preferences().PlaceholderChar;
    session.store().LoadMessage(number);
    session.reader().ReadFields(session.message());
    for (const std::string& text : opened.ui().messages)
        std::fprintf(stderr, "mq5300: %s\n", text.c_str());
    writeFrames(session.message(), options.untilMs, options.stepMs,
        [](std::string_view text) { writeStandardOutput(text); });
    return 0;
}

} // namespace marquis::cli
