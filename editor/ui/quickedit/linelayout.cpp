#include "ui/quickedit/linelayout.h"

#include "model/controlwords.h"
#include "model/richscanner.h"
#include "model/richtext.h"
#include "model/runscanner.h"

#include <optional>

namespace marquis {
namespace {

constexpr std::string_view LineSpacing = "\\sb90\\sa90";

} // namespace

LineKind lineKind(const EditLine& line)
{
    if (!line.LineScroll.empty())
        return LineKind::Continuous;
    if (!line.LineBlock.empty())
        return LineKind::BlockByBlock;
    return LineKind::Fixed;
}

bool hasHorizontalStructure(const CurrentMessage& message, int line)
{
    const EditLine& l = message.line(line);
    return !l.LineScroll.empty() || (!l.LineBlock.empty() && !message.VerticalScrollOn);
}

bool anyScrollingLine(const CurrentMessage& message)
{
    for (int i = 1; i <= message.UnitLines && i <= MaxUnitLines; ++i)
        if (lineKind(message.line(i)) != LineKind::Fixed)
            return true;
    return false;
}

bool isCentred(std::string_view rich)
{
    return hasControlWord(rich, "qc");
}

bool blockCentring(std::string_view block, bool carried)
{
    bool centred = carried;
    forEachControlWord(block, [&](std::size_t at, std::string_view name, long long, bool) {
        if (name == "qc")
            centred = true;
        else if (name == "ql" || block.substr(at).starts_with(LineSpacing))
            centred = false;
    });
    return centred;
}

bool centringOfBlock(std::string_view rich, int row)
{
    bool centred = false;
    const std::vector<std::string> blocks = splitBlocks(rich);
    for (int k = 0; k <= row && k < static_cast<int>(blocks.size()); ++k)
        centred = blockCentring(blocks[static_cast<std::size_t>(k)], centred);
    return centred;
}

std::string centringPad(std::size_t length)
{
    if (length >= static_cast<std::size_t>(DisplayWidth))
        return "";
    return std::string((static_cast<std::size_t>(DisplayWidth) - length) / 2, ' ');
}

// Follows the plain-text rules of GetText, and gives each visible character the font of its
// run: the first font word among the control words in front of the run, 0 when there is none.
// Line breaks are visible here, so they end a run as text does.
std::string blankBlinking(std::string_view rich)
{
    std::string out;
    out.reserve(rich.size());
    bool gathering = false; // control words seen since the last visible character
    std::optional<long long> gatheredFont;
    long long font = PlainFont;
    auto visible = [&](char c) {
        if (gathering) {
            font = gatheredFont.value_or(PlainFont);
            gathering = false;
        }
        const bool lineBreak = c == '\r' || c == '\n';
        out += isBlinkingFont(font) && !lineBreak ? ' ' : c;
    };
    forEachRichToken(rich, [&](const RichToken& token) {
        switch (token.kind) {
        case RichTokenKind::ControlWord:
            if (!gathering) {
                gathering = true;
                gatheredFont.reset();
            }
            if (!gatheredFont && token.namesFont())
                gatheredFont = token.number;
            break;
        case RichTokenKind::Backslash:
        case RichTokenKind::LineBreak:
            visible(token.character);
            break;
        case RichTokenKind::Character:
            if (isDisplayCharacter(token.character))
                visible(token.character);
            break;
        case RichTokenKind::Header:
            break;
        }
    });
    return out;
}

std::vector<std::string> plainRows(std::string_view rich)
{
    const std::string plain = GetText(rich);
    std::vector<std::string> rows;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = plain.find("\r\n", start);
        if (end == std::string::npos) {
            rows.push_back(plain.substr(start));
            return rows;
        }
        rows.push_back(plain.substr(start, end - start));
        start = end + 2;
    }
}

int countVariables(std::string_view rich)
{
    int count = 0;
    std::optional<long long> previous;
    for (const RichRun& run : scanRuns(rich).runs) {
        const std::optional<long long> font = runFont(run.controlWords);
        const bool variable = font && isVariableFont(*font);
        if (variable && (!previous || variableOfFont(*previous) != variableOfFont(*font)))
            ++count;
        previous = variable ? font : std::nullopt;
    }
    return count;
}

std::vector<std::string> listEntries(std::string_view list)
{
    std::vector<std::string> entries;
    while (!list.empty()) {
        const std::size_t comma = list.find(',');
        const std::string_view entry = list.substr(0, comma);
        if (!entry.empty())
            entries.emplace_back(entry);
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return entries;
}

} // namespace marquis
