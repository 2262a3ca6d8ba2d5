#include "model/linedocument.h"

#include "model/numberformat.h"

#include <algorithm>

namespace marquis {
namespace {

constexpr std::string_view ParagraphEnd = "\\par\r\n";

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A byte the display shows: the blank and everything up to 127.
bool isShown(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 32 && u <= 127;
}

bool hasShownText(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), isShown);
}

// A block as read, before its centring is carried over from the blocks in front of it.
struct ReadBlock {
    std::optional<bool> mark; // the last centring mark of the block: true "\qc", false "\ql"
    bool markBeforeFont = false;
    std::vector<LineRun> runs;
};

struct ReadLine {
    std::string leadingWords;
    std::vector<ReadBlock> blocks;
};

// Reads a line with the control-word rules of the plain-text count: a control word runs from
// its backslash to a blank (which belongs to it), the next backslash or a line end; two
// backslashes are one literal backslash. The font of a run is the first "\f" among the control
// words in front of it, plain without one, as the script writer reads it. "\par" CR LF (or a
// bare line end) ends a block; other characters below 32 are dropped.
ReadLine readLine(std::string_view rich)
{
    ReadLine line;
    line.blocks.emplace_back();
    std::size_t p = 0;
    if (rich.starts_with("\r\n{")) {
        const std::size_t close = rich.find("}\r\n");
        p = close == std::string_view::npos ? rich.size() : close + 3;
    }

    // The control words gathered since the last visible character.
    bool gathering = false;
    std::optional<long long> font;
    std::string otherWords;
    bool textSeen = false; // visible text or a block end seen in the line
    bool fontWordSeen = false; // a font, colour or centring word seen in this block

    // A bare line end splits a run into two blocks without ending it: the text after it keeps
    // the run's font unless control words come first.
    std::optional<LineRun> carried;

    auto block = [&]() -> ReadBlock& { return line.blocks.back(); };
    bool lastRunBare = false; // the last run holds only characters the display drops
    auto visible = [&](char c) {
        textSeen = true;
        // The display drops characters above 127 and the script writer passes over them, so
        // they neither end the control words gathered so far nor start a run of their own.
        if (static_cast<unsigned char>(c) > 127 &&
            (gathering || block().runs.empty() || lastRunBare)) {
            if (!lastRunBare)
                block().runs.push_back({ font.value_or(PlainFont), {}, {} });
            lastRunBare = true;
            block().runs.back().text += c;
            return;
        }
        if (gathering || block().runs.empty() || lastRunBare) {
            if (carried && !font && otherWords.empty())
                block().runs.push_back({ carried->font, carried->otherWords, {} });
            else
                block().runs.push_back({ font.value_or(PlainFont), otherWords, {} });
            gathering = false;
            font.reset();
            otherWords.clear();
            carried.reset();
            lastRunBare = false;
        }
        block().runs.back().text += c;
    };
    // Control words gathered in front of a block end still open the run after it.
    auto endBlock = [&](bool bare) {
        if (!bare)
            carried.reset();
        else if (!gathering && !block().runs.empty() && !lastRunBare)
            carried = block().runs.back();
        line.blocks.emplace_back();
        lastRunBare = false;
        gathering = false;
        textSeen = true;
        fontWordSeen = false;
    };

    while (p < rich.size()) {
        const char c = rich[p];
        const auto u = static_cast<unsigned char>(c);
        if (c == '\\' && p + 1 < rich.size() && rich[p + 1] == '\\') {
            visible('\\');
            p += 2;
        } else if (c == '\\') {
            std::size_t q = p + 1;
            while (q < rich.size() && isLetter(rich[q]))
                ++q;
            const std::string_view name = rich.substr(p + 1, q - p - 1);
            // A carriage return does not end a control word; the line feed after it does.
            while (q < rich.size() && rich[q] != ' ' && rich[q] != '\\' && rich[q] != '\n')
                ++q;
            const std::string_view parameter =
                rich.substr(p + 1 + name.size(), q - p - 1 - name.size());
            const bool blank = q < rich.size() && rich[q] == ' ';
            // A word with a carriage return inside is damage; it is not kept.
            std::string word(rich.substr(p, q - p + (blank ? 1 : 0)));
            if (word.find('\r') != std::string::npos)
                word.clear();
            p = q + (blank ? 1 : 0);
            if (!gathering && !block().runs.empty())
                gathering = true;
            carried.reset();
            if (name == "par" && parameter == "\r" && p < rich.size() && rich[p] == '\n') {
                ++p;
                endBlock(false);
            } else if (name == "f") {
                // As the script writer reads it: only "\f" with a number names the font.
                const bool numbered = !parameter.empty() &&
                    (parameter[0] == '-' || (parameter[0] >= '0' && parameter[0] <= '9'));
                if (!font && numbered)
                    font = numberValue(parameter);
                fontWordSeen = true;
            } else if (name == "cf") {
                fontWordSeen = true; // the colour follows from the font
            } else if (name == "qc" || name == "ql") {
                if (block().runs.empty())
                    block().markBeforeFont = !fontWordSeen;
                block().mark = name == "qc";
                fontWordSeen = true;
            } else if (word.empty()) {
            } else if (!textSeen && !fontWordSeen) {
                line.leadingWords += word;
            } else {
                otherWords += word;
                if (!blank)
                    otherWords += ' ';
            }
        } else if (c == '\r' && p + 1 < rich.size() && rich[p + 1] == '\n') {
            p += 2;
            endBlock(true);
        } else if (c == '\n') {
            ++p;
            endBlock(true);
        } else if (u < 32) {
            ++p;
        } else {
            visible(c);
            ++p;
        }
    }
    return line;
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (static_cast<unsigned char>(c) >= 32)
            out += c;
    }
    return out;
}

// Writes one block's runs; the centring mark, when one is due, goes in front of the first run's
// font words or right after them. A run with nothing the display shows (only characters above
// 127) gets no control words: the script writer passes over such characters, so its words would
// join those of the next run and take its font away.
void writeBlock(std::string& out, const LineBlock& block, const std::string& mark,
    bool markBeforeFont)
{
    if (!mark.empty() && markBeforeFont)
        out += mark;
    bool markDue = !mark.empty() && !markBeforeFont;
    for (const LineRun& run : block.runs) {
        if (hasShownText(run.text))
            out += fontControlWords(run.font) + run.otherWords;
        if (markDue)
            out += mark;
        markDue = false;
        out += escaped(run.text);
    }
    if (markDue)
        out += mark;
}

std::string write(const LineDocument& document, bool whole)
{
    std::string out = whole ? document.leadingWords : std::string();
    bool centred = false;
    for (std::size_t b = 0; b < document.blocks.size(); ++b) {
        const LineBlock& block = document.blocks[b];
        if (b > 0)
            out += ParagraphEnd;
        std::string mark;
        const bool shown = std::any_of(block.runs.begin(), block.runs.end(),
            [](const LineRun& run) { return hasShownText(run.text); });
        if (whole && shown) {
            if (block.centred != centred)
                mark = block.centred ? "\\qc " : "\\ql ";
            centred = block.centred;
        }
        // "\qc " opens a centred block, "\ql " goes with its first character.
        writeBlock(out, block, mark, block.markBeforeFont.value_or(centred));
    }
    return out;
}

// Calls `visit(block, run, firstIndex)` for every run, with the position of its first character.
template <typename Visit> void forEachRun(const LineDocument& document, Visit&& visit)
{
    std::size_t index = 0;
    for (std::size_t b = 0; b < document.blocks.size(); ++b) {
        for (const LineRun& run : document.blocks[b].runs) {
            visit(b, run, index);
            index += run.text.size();
        }
    }
}

// Joins neighbouring runs that an edit made alike; variable runs stay apart.
void joinTouchedRuns(std::vector<LineRun>& runs, std::vector<bool>& touched)
{
    std::size_t k = 1;
    while (k < runs.size()) {
        LineRun& before = runs[k - 1];
        const LineRun& after = runs[k];
        if ((touched[k - 1] || touched[k]) && before.font == after.font &&
            before.otherWords == after.otherWords && !isVariableFont(before.font)) {
            before.text += after.text;
            touched[k - 1] = true;
            runs.erase(runs.begin() + static_cast<std::ptrdiff_t>(k));
            touched.erase(touched.begin() + static_cast<std::ptrdiff_t>(k));
        } else {
            ++k;
        }
    }
}

} // namespace

LineDocument readLineDocument(std::string_view rich)
{
    ReadLine read = readLine(rich);
    LineDocument document;
    document.leadingWords = std::move(read.leadingWords);
    document.blocks.clear();
    bool centred = false;
    for (ReadBlock& block : read.blocks) {
        centred = block.mark.value_or(centred);
        LineBlock& made = document.blocks.emplace_back();
        made.centred = centred;
        if (block.mark)
            made.markBeforeFont = block.markBeforeFont;
        made.runs = std::move(block.runs);
    }
    return document;
}

std::string writeLineDocument(const LineDocument& document)
{
    return write(document, true);
}

std::string writeLineRuns(const LineDocument& document)
{
    return write(document, false);
}

std::size_t characterCount(const LineDocument& document)
{
    std::size_t count = 0;
    forEachRun(document, [&](std::size_t, const LineRun& run, std::size_t) {
        count += run.text.size();
    });
    return count;
}

std::string plainCharacters(const LineDocument& document)
{
    std::string text;
    forEachRun(document, [&](std::size_t, const LineRun& run, std::size_t) { text += run.text; });
    return text;
}

long long fontAt(const LineDocument& document, std::size_t index)
{
    long long font = PlainFont;
    forEachRun(document, [&](std::size_t, const LineRun& run, std::size_t first) {
        if (index >= first && index < first + run.text.size())
            font = run.font;
    });
    return font;
}

CharacterSpan runSpanAt(const LineDocument& document, std::size_t index)
{
    CharacterSpan span;
    forEachRun(document, [&](std::size_t, const LineRun& run, std::size_t first) {
        if (index >= first && index < first + run.text.size())
            span = { first, first + run.text.size() };
    });
    return span;
}

std::size_t blockAt(const LineDocument& document, std::size_t index)
{
    std::size_t first = 0;
    for (std::size_t b = 0; b < document.blocks.size(); ++b) {
        for (const LineRun& run : document.blocks[b].runs)
            first += run.text.size();
        if (index < first)
            return b;
    }
    return document.blocks.size() - 1;
}

CharacterSpan blockSpan(const LineDocument& document, std::size_t block)
{
    CharacterSpan span;
    for (std::size_t b = 0; b < document.blocks.size() && b <= block; ++b) {
        span.from = span.to;
        for (const LineRun& run : document.blocks[b].runs)
            span.to += run.text.size();
    }
    if (block >= document.blocks.size())
        span.from = span.to;
    return span;
}

void changeFonts(LineDocument& document, CharacterSpan span,
    const std::function<long long(long long)>& change)
{
    std::size_t index = 0;
    for (LineBlock& block : document.blocks) {
        std::vector<LineRun> runs;
        std::vector<bool> touched;
        for (LineRun& run : block.runs) {
            const std::size_t first = index;
            const std::size_t last = first + run.text.size();
            index = last;
            const std::size_t from = std::clamp(span.from, first, last);
            const std::size_t to = std::clamp(span.to, first, last);
            const long long font = from < to ? change(run.font) : run.font;
            if (font == run.font) {
                runs.push_back(std::move(run));
                touched.push_back(false);
                continue;
            }
            // Cut the run where the span begins and ends; the part inside takes the new font.
            const std::string text = std::move(run.text);
            const std::pair<std::size_t, std::size_t> parts[] = { { first, from }, { from, to },
                { to, last } };
            for (const auto& [a, b] : parts) {
                if (a >= b)
                    continue;
                LineRun piece = run;
                piece.text = text.substr(a - first, b - a);
                if (a == from && b == to)
                    piece.font = font;
                runs.push_back(std::move(piece));
                touched.push_back(true);
            }
        }
        joinTouchedRuns(runs, touched);
        block.runs = std::move(runs);
    }
}

} // namespace marquis
