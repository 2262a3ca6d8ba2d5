#pragma once

#include "model/richtext.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// A line's rich text read into blocks and runs: the structure the line editors show and the
// dialogs edit. Reading and writing give back the encoding the script reader produces, so a line
// read from a script and written unchanged comes back byte for byte.

// A run of characters of one font.
struct LineRun {
    long long font = PlainFont;
    std::string otherWords; // control words in front of the run that carry no font or colour
    std::string text; // Windows-1252; a literal backslash is one '\'

    bool operator==(const LineRun&) const = default;
};

// One block (paragraph) of a line; a fixed or continuously scrolled line has one.
struct LineBlock {
    bool centred = false;
    // Where the block's centring mark stood when it had one: in front of its first run's font
    // words (true) or right before its first character (false).
    std::optional<bool> markBeforeFont;
    std::vector<LineRun> runs;

    bool operator==(const LineBlock&) const = default;
};

struct LineDocument {
    std::string leadingWords = "\\sb90\\sa90 "; // the control words that open the line
    std::vector<LineBlock> blocks { LineBlock {} }; // never empty

    bool operator==(const LineDocument&) const = default;
};

LineDocument readLineDocument(std::string_view rich);
std::string writeLineDocument(const LineDocument& document);
// The runs only, each with its control words, blocks separated by "\par" CR LF: no leading
// words and no centring marks (a part of a line, as the clipboard carries it).
std::string writeLineRuns(const LineDocument& document);

// Characters are counted across the whole line, block after block, from 0; block ends take no
// position. A span runs from `from` up to, not including, `to`.
struct CharacterSpan {
    std::size_t from = 0;
    std::size_t to = 0;
    bool empty() const { return from >= to; }
    bool operator==(const CharacterSpan&) const = default;
};

std::size_t characterCount(const LineDocument& document);
// The characters of the line without fonts, blocks joined without separator.
std::string plainCharacters(const LineDocument& document);
// The font of the character at `index`; PlainFont past the end.
long long fontAt(const LineDocument& document, std::size_t index);
// The run that holds the character at `index`, as a span; empty past the end.
CharacterSpan runSpanAt(const LineDocument& document, std::size_t index);
// The block that holds the character at `index` (the last block past the end), and its span.
std::size_t blockAt(const LineDocument& document, std::size_t index);
CharacterSpan blockSpan(const LineDocument& document, std::size_t block);

// Gives every character of `span` the font `change` returns for its present font. Runs are cut
// at the span's ends; a run `change` leaves as it was stays one run. Neighbouring runs that end
// up with the same font and words are joined when neither is a variable (variable runs stay
// apart: two neighbouring runs are two fields).
void changeFonts(LineDocument& document, CharacterSpan span,
    const std::function<long long(long long)>& change);

} // namespace marquis
