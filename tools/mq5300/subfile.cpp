#include "subfile.h"

#include "model/currentmessage.h"
#include "model/numberformat.h"

namespace marquis::cli {
namespace {

constexpr std::string_view DisplayTypeDefine = "#define Display_type";

// The line starting at `begin`, with its line end.
std::string_view lineAt(std::string_view bytes, std::size_t begin)
{
    const std::size_t end = bytes.find('\n', begin);
    return bytes.substr(begin, end == std::string_view::npos ? end : end - begin + 1);
}

int unitLinesOfDefine(std::string_view line, std::vector<std::string>& problems)
{
    if (line.find("(5320)") != std::string_view::npos)
        return 2;
    if (line.find("(5360)") == std::string_view::npos)
        problems.emplace_back("unknown display type in the header; 4 lines assumed");
    return 4;
}

} // namespace

std::optional<long long> subNumber(std::string_view line)
{
    if (!line.starts_with("SUB "))
        return std::nullopt;
    std::string_view rest = line.substr(4);
    while (!rest.empty() && rest.front() == ' ')
        rest.remove_prefix(1);
    const std::string_view digits = rest.substr(0, rest.find_first_not_of("0123456789"));
    if (digits.empty())
        return std::nullopt;
    return numberValue(digits); // a very long number is clamped, still out of range
}

ScriptFile splitScriptFile(std::string_view bytes)
{
    ScriptFile file;
    bool unitKnown = false;
    std::optional<SubBlock> open; // the block being collected
    bool skipping = false; // inside a block that is not listed
    std::size_t lineNumber = 0;

    auto closeOpen = [&](std::string_view why) {
        if (!open)
            return;
        if (!why.empty())
            file.problems.push_back("message " + std::to_string(open->number) + " (line " +
                std::to_string(open->line) + ") " + std::string(why));
        file.blocks.push_back(std::move(*open));
        open.reset();
    };

    for (std::size_t begin = 0; begin < bytes.size();) {
        const std::string_view line = lineAt(bytes, begin);
        begin += line.size();
        ++lineNumber;

        if (line.starts_with("SUB ")) {
            closeOpen("has no END SUB before the next SUB line");
            skipping = false;
            const std::optional<long long> number = subNumber(line);
            if (!number) {
                file.problems.push_back("line " + std::to_string(lineNumber) +
                    ": SUB line without a message number; skipped");
                skipping = true;
            } else if (!isMessageNumber(*number)) {
                file.problems.push_back("line " + std::to_string(lineNumber) + ": message number " +
                    std::to_string(*number) + " is outside 0.." + std::to_string(MessageCount - 1) +
                    "; skipped");
                skipping = true;
            } else {
                open = SubBlock { static_cast<int>(*number), std::string(line), lineNumber };
            }
            continue;
        }
        if (open) {
            open->text += line;
            if (line.starts_with("END SUB"))
                closeOpen("");
            continue;
        }
        if (skipping) {
            skipping = !line.starts_with("END SUB");
            continue;
        }
        if (!unitKnown && line.starts_with(DisplayTypeDefine)) {
            file.unitLines = unitLinesOfDefine(line, file.problems);
            unitKnown = true;
        }
    }
    closeOpen("has no END SUB");
    return file;
}

} // namespace marquis::cli
