#include "files/fileopen.h"

#include "files/recordreader.h"
#include "model/currentmessage.h"
#include "model/numberformat.h"

#include <cmath>
#include <limits>

namespace marquis {

std::string openingStatus(const std::string& fileName, std::uint64_t total, int percent)
{
    const std::string shown = percent == 0 ? "0" : withLeadingBlank(percent >= 96 ? 100 : percent);
    return "Opening file " + fileName + ". Total size " +
        withLeadingBlank(static_cast<long long>(total)) + " , " + shown + " % complete.";
}

namespace {

// The lines a script file may hold besides its messages: blank lines and the header lines.
bool isHeaderOrBlank(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t\f\v");
    if (first == std::string_view::npos)
        return true;
    const std::string_view text = line.substr(first);
    return text.find("Display_type") != std::string_view::npos || text.starts_with("#include") ||
        text.find("#pragma version") != std::string_view::npos;
}

} // namespace

ScriptScan scanScriptFile(InputFile& file, const std::function<void(int percent)>& progress)
{
    ScriptScan scan;
    const std::uint64_t total = file.size();
    std::uint64_t position = 0; // bytes before the current line
    std::string line;
    bool anySubLine = false;
    bool otherText = false;
    int lineNumber = 0;
    // One script line; false when the reading ends at it.
    const auto scanLine = [&](std::string_view text, std::uint64_t lineStart) {
        ++lineNumber;
        if (const std::size_t at = text.find("Display_type"); at != std::string_view::npos) {
            const std::size_t open = text.find('(', at);
            const std::size_t close =
                open == std::string_view::npos ? open : text.find(')', open + 1);
            const std::string_view model = close == std::string_view::npos
                ? std::string_view {}
                : trimmed(text.substr(open + 1, close - open - 1));
            if (model.empty()) {
                scan.rejected = true;
                return false;
            }
            if (model == "5320" || model == "5360")
                scan.unitType = std::string(model);
        }
        if (const std::size_t at = text.find("#pragma version"); at != std::string_view::npos) {
            const std::string_view version = trimmed(text.substr(at + 15));
            if (version == "1" || version == "2")
                scan.version = std::string(version);
        }
        const std::optional<long long> number = subLineNumber(text);
        if (!number) {
            otherText = otherText || !isHeaderOrBlank(text);
            // A SUB line without "(" ends the file.
            if (!text.starts_with("SUB"))
                return true;
            scan.stoppedAtLine = lineNumber;
            return false;
        }
        anySubLine = true;
        if (lineStart >= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            return false; // offsets beyond 2 GiB cannot be kept
        if (!isMessageNumber(*number)) {
            scan.skippedNumbers.push_back(*number);
            return true;
        }
        ScriptScan::Message message;
        message.number = static_cast<int>(*number);
        message.offset = static_cast<std::int32_t>(lineStart + 1);
        if (const std::size_t at = text.find("TASK="); at != std::string_view::npos) {
            const long long task = numberValue(text.substr(at + 5));
            if (isTask(task))
                message.task = static_cast<int>(task);
        }
        scan.messages.push_back(message);
        return true;
    };

    if (!file.seek(0))
        return scan;
    while (file.readLine(line)) {
        scan.anyLine = true;
        const std::uint64_t lineStart = position;
        position += line.size() + 1;
        std::string_view afterStop;
        const bool goOn = forEachScriptLine(line, [&](std::string_view text) {
            const auto at = static_cast<std::size_t>(text.data() - line.data());
            const bool more = scanLine(text, lineStart + at);
            if (!more)
                afterStop = std::string_view(line).substr(at + text.size());
            return more;
        });
        if (scan.rejected)
            return scan;
        if (total > 0)
            progress(static_cast<int>(
                std::lround(100.0 * static_cast<double>(position) / static_cast<double>(total))));
        if (!goOn && scan.stoppedAtLine) {
            // Nothing but blank lines after the SUB line leaves nothing unread.
            const auto blank = [](std::string_view text) {
                return text.find_first_not_of(" \t\r\n\f\v") == std::string_view::npos;
            };
            bool more = !blank(afterStop);
            std::string rest;
            while (!more && file.readLine(rest))
                more = !blank(rest);
            if (!more)
                scan.stoppedAtLine.reset();
        }
        if (!goOn)
            break;
    }
    // Text without a single message is something else than a script file; opening it would
    // let the next save overwrite it.
    scan.rejected = !anySubLine && otherText;
    return scan;
}

} // namespace marquis
