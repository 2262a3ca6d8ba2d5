#include "model/linereshape.h"

#include "model/linedocument.h"
#include "model/richscanner.h"
#include "model/richtext.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace marquis {
namespace {

constexpr std::string_view DefaultLeadingWords = "\\sb90\\sa90 ";
constexpr std::string_view DefaultBlinkRate = "25,ON";

// One character of a block with the run it belongs to.
struct Character {
    std::size_t run = 0;
    char c = ' ';
    bool shown = false; // counts toward the display width
    bool variable = false;
};

std::vector<Character> charactersOf(const LineBlock& block)
{
    std::vector<Character> out;
    for (std::size_t r = 0; r < block.runs.size(); ++r) {
        const LineRun& run = block.runs[r];
        for (const char c : run.text)
            out.push_back({ r, c, isDisplayCharacter(c), isVariableFont(run.font) });
    }
    return out;
}

bool isFreeBlank(const Character& c)
{
    return c.c == ' ' && !c.variable;
}

std::size_t shownCount(const std::vector<Character>& chars, std::size_t from, std::size_t to)
{
    return static_cast<std::size_t>(std::count_if(chars.begin() + static_cast<std::ptrdiff_t>(from),
        chars.begin() + static_cast<std::ptrdiff_t>(to), [](const Character& c) { return c.shown; }));
}

// Where a piece of at most `width` shown characters starting at `from` ends, and where the next
// piece starts (after the blanks at the cut). No value when the rest fits.
struct Cut {
    std::size_t end = 0;
    std::size_t next = 0;
};

std::optional<Cut> findCut(const std::vector<Character>& chars, std::size_t from, std::size_t width)
{
    const std::size_t size = chars.size();
    if (shownCount(chars, from, size) <= width)
        return std::nullopt;
    // The end of the first `width` shown characters, and the last blank among the first
    // width + 1 of them.
    std::size_t hard = from;
    std::optional<std::size_t> blank;
    std::size_t seen = 0;
    for (std::size_t i = from; i < size && seen <= width; ++i) {
        if (chars[i].shown)
            ++seen;
        if (seen <= width)
            hard = i + 1;
        if (isFreeBlank(chars[i]) && seen <= width + 1) {
            // A cut at a blank that leaves only blanks in front of it keeps nothing.
            const bool textInFront = std::any_of(chars.begin() + static_cast<std::ptrdiff_t>(from),
                chars.begin() + static_cast<std::ptrdiff_t>(i),
                [](const Character& c) { return !isFreeBlank(c); });
            if (textInFront)
                blank = i;
        }
    }
    std::size_t end = blank.value_or(hard);
    // Never inside a variable: the cut moves in front of it, or behind it when the variable
    // opens the piece.
    if (end < size && end > from && chars[end].variable && chars[end - 1].variable &&
        chars[end].run == chars[end - 1].run) {
        std::size_t start = end;
        while (start > from && chars[start - 1].run == chars[end].run)
            --start;
        if (start > from) {
            end = start;
        } else {
            while (end < size && chars[end].run == chars[start].run)
                ++end;
        }
    }
    end = std::max(end, from + 1); // every piece takes at least one character
    std::size_t next = end;
    while (next < size && isFreeBlank(chars[next]))
        ++next;
    return Cut { end, next };
}

// The runs of `block` that hold the characters from `from` up to `to`, each keeping its font and
// words: text cut off the front of a run keeps the run's font.
std::vector<LineRun> runsBetween(const LineBlock& block, std::size_t from, std::size_t to)
{
    std::vector<LineRun> out;
    std::size_t first = 0;
    for (const LineRun& run : block.runs) {
        const std::size_t last = first + run.text.size();
        const std::size_t a = std::clamp(from, first, last);
        const std::size_t b = std::clamp(to, first, last);
        if (a < b) {
            LineRun piece = run;
            piece.text = run.text.substr(a - first, b - a);
            out.push_back(std::move(piece));
        }
        first = last;
    }
    return out;
}

void ensureLeadingWords(LineDocument& document)
{
    if (document.leadingWords.find("\\sb90\\sa90") == std::string::npos)
        document.leadingWords = std::string(DefaultLeadingWords) + document.leadingWords;
}

std::size_t shownCharacters(const LineDocument& document)
{
    std::size_t count = 0;
    for (const LineBlock& block : document.blocks)
        for (const LineRun& run : block.runs)
            count += static_cast<std::size_t>(
                std::count_if(run.text.begin(), run.text.end(), isDisplayCharacter));
    return count;
}

bool hasShownText(const LineBlock& block)
{
    return std::any_of(block.runs.begin(), block.runs.end(), [](const LineRun& run) {
        return std::any_of(run.text.begin(), run.text.end(), isDisplayCharacter);
    });
}

// A line made of one block of another line, opened by the given leading words.
std::string lineOfBlock(const LineBlock& block, const std::string& leadingWords)
{
    LineDocument line;
    line.leadingWords = leadingWords;
    line.blocks = { block };
    ensureLeadingWords(line);
    return writeLineDocument(line);
}

} // namespace

std::string splitIntoBlocks(std::string_view rich, std::size_t width)
{
    width = std::max<std::size_t>(width, 1);
    LineDocument document = readLineDocument(rich);
    LineDocument split;
    split.leadingWords = document.leadingWords;
    ensureLeadingWords(split);
    split.blocks.clear();
    for (const LineBlock& block : document.blocks) {
        const std::vector<Character> chars = charactersOf(block);
        std::size_t from = 0;
        bool first = true;
        // Every round takes at least one character, so the loop ends.
        while (first || from < chars.size()) {
            LineBlock piece;
            piece.centred = block.centred;
            if (first)
                piece.markBeforeFont = block.markBeforeFont;
            const std::optional<Cut> cut = findCut(chars, from, width);
            const std::size_t end = cut ? cut->end : chars.size();
            piece.runs = runsBetween(block, from, end);
            split.blocks.push_back(std::move(piece));
            first = false;
            if (!cut)
                break;
            from = cut->next;
        }
    }
    return writeLineDocument(split);
}

std::string joinBlocks(std::string_view rich)
{
    const LineDocument document = readLineDocument(rich);
    LineDocument joined;
    joined.leadingWords = document.leadingWords;
    LineBlock& line = joined.blocks.front();
    for (const LineBlock& block : document.blocks) {
        if (block.runs.empty())
            continue;
        if (!line.runs.empty()) {
            if (line.runs.back().font == PlainFont)
                line.runs.back().text += ' ';
            else
                line.runs.push_back({ PlainFont, {}, " " });
        }
        line.runs.insert(line.runs.end(), block.runs.begin(), block.runs.end());
    }
    return writeLineDocument(joined);
}

KeptText keepLeading(std::string_view rich, std::size_t limit)
{
    const LineDocument document = readLineDocument(rich);
    const std::size_t total = shownCharacters(document);
    if (total <= limit)
        return { std::string(rich), 0 };
    LineDocument kept;
    kept.leadingWords = document.leadingWords;
    kept.blocks.clear();
    std::size_t room = std::max<std::size_t>(limit, 1);
    for (const LineBlock& block : document.blocks) {
        const std::vector<Character> chars = charactersOf(block);
        const std::optional<Cut> cut = findCut(chars, 0, room);
        LineBlock piece = block;
        if (cut)
            piece.runs = runsBetween(block, 0, cut->end);
        const std::size_t used = shownCount(chars, 0, cut ? cut->end : chars.size());
        kept.blocks.push_back(std::move(piece));
        if (cut || used >= room)
            break;
        room -= used;
    }
    const std::size_t keptCount = shownCharacters(kept);
    return { writeLineDocument(kept), total - std::min(total, keptCount) };
}

CurrentMessage mergeLinesForVerticalScroll(const CurrentMessage& message)
{
    CurrentMessage merged = message;
    const int lines = std::clamp<int>(message.UnitLines, 1, MaxUnitLines);
    LineDocument first = readLineDocument(message.line(1).LineText);
    bool firstHasText = shownCharacters(first) > 0;
    bool changed = false;
    std::string rate = message.line(1).LineBlink;
    for (int i = 2; i <= lines; ++i) {
        const EditLine& source = message.line(i);
        if (rate.empty())
            rate = source.LineBlink;
        LineDocument document = readLineDocument(source.LineText);
        if (shownCharacters(document) > 0) {
            if (firstHasText) {
                first.blocks.insert(first.blocks.end(), document.blocks.begin(),
                    document.blocks.end());
            } else {
                first = std::move(document);
                firstHasText = true;
            }
            changed = true;
        }
        EditLine& emptied = merged.line(i);
        emptied.LineText.clear();
        emptied.LineBlink.clear();
        emptied.LineScroll.clear();
        emptied.LineBlock.clear();
    }
    EditLine& target = merged.line(1);
    if (changed)
        target.LineText = writeLineDocument(first);
    if (!CheckBlink(target.LineText).empty() && target.LineBlink.empty())
        target.LineBlink = rate.empty() ? std::string(DefaultBlinkRate) : rate;
    return merged;
}

SpreadResult spreadBlocksOverLines(const CurrentMessage& message)
{
    SpreadResult result { message, 0 };
    const int lines = std::clamp<int>(message.UnitLines, 1, MaxUnitLines);
    const LineDocument document = readLineDocument(message.line(1).LineText);
    const std::string rate =
        message.line(1).LineBlink.empty() ? std::string(DefaultBlinkRate) : message.line(1).LineBlink;
    const std::size_t blocks = document.blocks.size();
    for (std::size_t b = 0; b < blocks && b < static_cast<std::size_t>(lines); ++b) {
        EditLine& line = result.message.line(static_cast<int>(b) + 1);
        line.LineText = lineOfBlock(document.blocks[b], document.leadingWords);
        if (!CheckBlink(line.LineText).empty() && line.LineBlink.empty())
            line.LineBlink = rate;
    }
    // Blocks that hold nothing shown are not worth a warning.
    for (std::size_t b = static_cast<std::size_t>(lines); b < blocks; ++b)
        if (hasShownText(document.blocks[b]))
            ++result.droppedBlocks;
    return result;
}

} // namespace marquis
