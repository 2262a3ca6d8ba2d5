#include "model/richtext.h"

#include "model/controlwords.h"
#include "model/richscanner.h"
#include "model/runscanner.h"

namespace marquis {
namespace {

constexpr std::string_view ParagraphEnd = "\\par\r\n";

// Calls `visible(rawPosition, character)` for every character of the plain text: characters the
// display shows, literal backslashes, and line breaks (CR and LF count, even a CR inside a
// control word). A leading header group is skipped.
template <typename Visible> void forEachVisible(std::string_view rich, Visible&& visible)
{
    forEachRichToken(rich, [&](const RichToken& token) {
        switch (token.kind) {
        case RichTokenKind::Backslash:
        case RichTokenKind::LineBreak:
            visible(token.begin, token.character);
            break;
        case RichTokenKind::Character:
            if (isDisplayCharacter(token.character))
                visible(token.begin, token.character);
            break;
        case RichTokenKind::Header:
        case RichTokenKind::ControlWord:
            break;
        }
    });
}

template <typename Predicate> bool anyFont(std::string_view rich, Predicate predicate)
{
    bool found = false;
    forEachRichToken(rich, [&](const RichToken& token) {
        if (token.namesFont() && predicate(token.number))
            found = true;
    });
    return found;
}

std::size_t countLeading(std::string_view text, char c)
{
    std::size_t n = 0;
    while (n < text.size() && text[n] == c)
        ++n;
    return n;
}

bool onlyBlanks(std::string_view text)
{
    return countLeading(text, ' ') == text.size();
}

} // namespace

bool isVariableFont(long long font)
{
    return font >= 1 && font <= 64;
}
bool isBlinkingFont(long long font)
{
    return (font >= 17 && font <= 32) || (font >= 49 && font <= 65);
}
bool isZeroFilledFont(long long font)
{
    return font >= 33 && font <= 64;
}
int variableOfFont(long long font)
{
    return static_cast<int>((font - 1) % 16 + 1);
}

std::string fontControlWords(long long font)
{
    return "\\f" + std::to_string(font) + (isVariableFont(font) ? " \\cf4 " : " \\cf0 ");
}

std::string GetText(std::string_view rich)
{
    std::string plain;
    plain.reserve(rich.size());
    forEachVisible(rich, [&](std::size_t, char c) { plain += c; });
    return plain;
}

std::size_t plainLength(std::string_view rich)
{
    std::size_t length = 0;
    forEachVisible(rich, [&](std::size_t, char) { ++length; });
    return length;
}

std::string CheckBlink(std::string_view rich)
{
    return anyFont(rich, isBlinkingFont) ? "1" : "";
}

bool CheckVariable(std::string_view rich)
{
    return anyFont(rich, isVariableFont);
}

long long FontAtPosition(std::string_view rich, int position)
{
    std::size_t reached = 0;
    for (const RichRun& run : scanRuns(rich).runs) {
        reached += run.text.size();
        if (position >= 1 && reached >= static_cast<std::size_t>(position))
            return runFont(run.controlWords).value_or(-1);
    }
    return -1;
}

std::string ToggleBlink(std::string_view selection)
{
    const RunScan scan = scanRuns(selection);
    if (scan.runs.empty())
        return std::string(selection);
    const bool makeBlinking = !isBlinkingFont(runFont(scan.runs.front().controlWords).value_or(0));

    std::string out(selection.substr(0, scan.runs.front().begin));
    for (const RichRun& run : scan.runs) {
        // The new font word goes directly in front of the run's own control words: after a
        // paragraph end among them, so that it stays with the run when blocks are cut apart.
        std::string_view words = selection.substr(run.begin, run.textBegin - run.begin);
        const std::size_t lineEnd = words.rfind("\r\n");
        const std::size_t kept = lineEnd == std::string_view::npos ? 0 : lineEnd + 2;
        out += words.substr(0, kept);
        words.remove_prefix(kept);
        const std::string_view text = selection.substr(run.textBegin, run.end - run.textBegin);
        const long long font = runFont(run.controlWords).value_or(-1);
        std::string fontWord;
        if (onlyBlanks(run.text))
            fontWord.clear();
        else if (makeBlinking && font == PlainFont)
            fontWord = "\\f65 ";
        else if (makeBlinking && isVariableFont(font) && !isBlinkingFont(font))
            fontWord = "\\f" + std::to_string(font + 16) + " ";
        else if (!makeBlinking && font == BlinkingTextFont)
            fontWord = "\\f0 ";
        else if (!makeBlinking && isVariableFont(font) && isBlinkingFont(font))
            fontWord = "\\f" + std::to_string(font - 16) + " ";

        if (makeBlinking && font == PlainFont && !fontWord.empty()) {
            const std::size_t lead = countLeading(text, ' ');
            std::size_t trail = 0;
            while (trail < text.size() - lead && text[text.size() - 1 - trail] == ' ')
                ++trail;
            if (lead > 0)
                out += fontControlWords(PlainFont) + std::string(lead, ' ');
            out += fontWord;
            out += words;
            out += text.substr(lead, text.size() - lead - trail);
            if (trail > 0)
                out += fontControlWords(PlainFont) + std::string(trail, ' ');
        } else {
            out += fontWord;
            out += words;
            out += text;
        }
    }
    out += selection.substr(scan.tailBegin);
    return out;
}

std::string TruncateText(std::string& rich, int width)
{
    std::vector<std::size_t> positions;
    std::vector<char> characters;
    forEachVisible(rich, [&](std::size_t at, char c) {
        positions.push_back(at);
        characters.push_back(c);
    });
    if (width < 1 || positions.size() <= static_cast<std::size_t>(width))
        return "";

    // Cut at the last blank that still leaves a head of at most `width` characters; without
    // one, cut hard at the limit.
    std::size_t cut = positions[static_cast<std::size_t>(width)];
    for (std::size_t k = static_cast<std::size_t>(width); k >= 1; --k) {
        if (characters[k] == ' ') {
            cut = positions[k];
            break;
        }
    }
    std::string head = rich.substr(0, cut);

    // The rest keeps the font it had at the cut, so blinking text and variables stay what they
    // were when a line is split.
    std::string carried;
    for (const RichRun& run : scanRuns(rich).runs) {
        if (cut > run.textBegin && cut < run.end) {
            const auto font = runFont(run.controlWords);
            if (font && *font >= 0 && *font <= BlinkingTextFont)
                carried = fontControlWords(*font);
            break;
        }
    }
    std::size_t restBegin = cut;
    while (restBegin < rich.size() && rich[restBegin] == ' ')
        ++restBegin;
    rich = carried + rich.substr(restBegin);
    return head;
}

bool hasControlWord(std::string_view rich, std::string_view name)
{
    bool found = false;
    forEachControlWord(rich, [&](std::size_t, std::string_view word, long long, bool) {
        if (word == name)
            found = true;
    });
    return found;
}

std::size_t firstVisiblePosition(std::string_view rich)
{
    std::size_t first = std::string_view::npos;
    forEachVisible(rich, [&](std::size_t at, char) {
        if (first == std::string_view::npos)
            first = at;
    });
    return first;
}

std::vector<std::string> splitBlocks(std::string_view rich)
{
    std::vector<std::string> blocks;
    while (true) {
        const std::size_t end = rich.find(ParagraphEnd);
        if (end == std::string_view::npos) {
            blocks.emplace_back(rich);
            return blocks;
        }
        blocks.emplace_back(rich.substr(0, end));
        rich.remove_prefix(end + ParagraphEnd.size());
    }
}

} // namespace marquis
