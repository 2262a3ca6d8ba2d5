#pragma once
#include "model/currentmessage.h"
#include <cstddef>
#include <string>
#include <string_view>

namespace marquis {

inline constexpr std::size_t ContinuousLimit = 155; // characters a continuous line may hold

// A line cut into blocks of at most `width` visible characters for block-by-block play. A cut
// goes after the last blank at or before position width + 1, else hard at `width`, never inside
// a variable run (the cut moves in front of it; a variable longer than `width` stays whole in a
// block of its own); the rest loses its leading blanks and keeps the font of the run the cut
// fell in. Blocks are separated by "\par" CR LF; the first keeps the line's leading words
// ("\sb90\sa90 " by default). Always ends; a line that fits is one block.
std::string splitIntoBlocks(std::string_view rich, std::size_t width = DisplayWidth);

// The blocks of a block-played line joined into one line: every block end and centring mark
// becomes one blank.
std::string joinBlocks(std::string_view rich);

// The leading part of a line that holds at most `limit` visible characters, cut as
// splitIntoBlocks cuts; the whole line when it fits.
struct KeptText {
    std::string rich;        // what is kept
    std::size_t dropped = 0; // visible characters left out
};
KeptText keepLeading(std::string_view rich, std::size_t limit);

// Lines 1..UnitLines merged into line 1 as the blocks of a vertically scrolled message; the
// other lines are emptied. Blinking text keeps a blink rate (line 1 takes the first rate of the
// merged lines, or "25,ON"); a block after a centred block that is not centred starts with
// "\ql ". Returns the merged message; the argument is not changed.
CurrentMessage mergeLinesForVerticalScroll(const CurrentMessage& message);

// The blocks of line 1 spread back over lines 1..UnitLines, one block per line; blocks beyond
// UnitLines are dropped and counted. Every line whose text blinks gets the blink rate.
struct SpreadResult {
    CurrentMessage message;
    std::size_t droppedBlocks = 0;
};
SpreadResult spreadBlocksOverLines(const CurrentMessage& message);

} // namespace marquis
