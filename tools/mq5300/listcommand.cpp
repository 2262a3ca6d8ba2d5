#include "commanderror.h"
#include "commands.h"
#include "model/checkvaluesource.h"
#include "model/crccomponent.h"
#include "model/richtext.h"
#include "model/scriptreader.h"
#include "model/windows1252.h"
#include "platform/executablefolder.h"
#include "ports/userinterface.h"
#include "requirecomponent.h"
#include "subfile.h"
#include "textio.h"

#include <cstdio>

namespace marquis::cli {
namespace {

// A check-value source without values: the reader then takes every text as unchanged. Used
// only to show what a hand-edited message says, after the real check has judged it.
class NoCheckValues : public CheckValueSource {
public:
    std::int32_t checkValueOf(std::string_view) override { return 0; }
};

CurrentMessage readBlock(CheckValueSource& checkValues, const SubBlock& block, int unitLines)
{
    SilentUserInterface ui;
    ScriptReader reader(checkValues, ui);
    CurrentMessage message;
    message.MessageNumber = static_cast<std::int16_t>(block.number);
    message.UnitLines = static_cast<std::int16_t>(unitLines);
    message.MessageScript = block.text;
    reader.ReadFields(message);
    return message;
}

// The visible text of one line on one output line: the blocks of a block-played line are
// separated by " / "; any other line break becomes a blank.
std::string shownText(const std::string& rich)
{
    const std::string plain = GetText(rich);
    std::string shown;
    for (std::size_t p = 0; p < plain.size(); ++p) {
        if (plain.compare(p, 2, "\r\n") == 0) {
            shown += " / ";
            ++p;
        } else {
            shown += plain[p] == '\r' || plain[p] == '\n' ? ' ' : plain[p];
        }
    }
    return shown;
}

// The lines up to the last one with text, joined with " | ".
std::string linesText(const CurrentMessage& message)
{
    int last = 0;
    for (int i = 1; i <= message.UnitLines; ++i)
        if (!GetText(message.line(i).LineText).empty())
            last = i;
    std::string text;
    for (int i = 1; i <= last; ++i)
        text += (i > 1 ? " | " : "") + shownText(message.line(i).LineText);
    return text;
}

} // namespace

void listCommand(Arguments arguments)
{
    if (arguments.size() != 1)
        throw CommandError("list takes one script file");
    const ScriptFile file = splitScriptFile(readFile(std::string(arguments[0])));
    for (const std::string& problem : file.problems)
        std::fprintf(stderr, "mq5300: %s\n", problem.c_str());

    CrcComponent component(executableFolder());
    requireComponent(component);
    NoCheckValues noCheckValues;
    std::string listing;
    for (const SubBlock& block : file.blocks) {
        CurrentMessage message = readBlock(component, block, file.unitLines);
        const bool changed = message.ScriptEditOnly;
        if (changed)
            message = readBlock(noCheckValues, block, file.unitLines);
        char head[64];
        std::snprintf(head, sizeof head, "%4d  task %d  %-16s  ", block.number,
            static_cast<int>(message.task()), changed ? "changed by hand" : "ok");
        listing += head + windows1252ToUtf8(linesText(message)) + "\n";
    }
    writeStandardOutput(listing);
}

} // namespace marquis::cli
