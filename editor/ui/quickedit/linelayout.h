#pragma once

#include "model/currentmessage.h"

#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// How a line is played: as it stands, scrolled continuously, or block by block (horizontally,
// or as the vertically scrolled part of the message).
enum class LineKind { Fixed, Continuous, BlockByBlock };

LineKind lineKind(const EditLine& line);

// True when the line scrolls horizontally: a continuous line, or a block line that is not the
// message's vertical scroll.
bool hasHorizontalStructure(const CurrentMessage& message, int line);

// True when any line of the message scrolls (continuously or block by block).
bool anyScrollingLine(const CurrentMessage& message);

// True when a fixed or continuous line is centred: its rich text holds "\qc".
bool isCentred(std::string_view rich);

// The centring of one block of a block line. The marks are read in order: "\qc" centres,
// "\ql" and the line spacing "\sb90\sa90" end centring; without a mark the block keeps the
// centring it was given (that of the block before it).
bool blockCentring(std::string_view block, bool carried);

// The centring of block `row` (0 is the first) of a block line, carried from the first block.
bool centringOfBlock(std::string_view rich, int row);

// Blanks that centre a text of the given length on a 20-character row (remainder dropped).
std::string centringPad(std::size_t length);

// The plain text of a line with every blinking run (font 17..32, 49..65) replaced by as many
// blanks as it has characters.
std::string blankBlinking(std::string_view rich);

// The rows of the plain text, as the editor shows them: blocks are separated by CR LF.
std::vector<std::string> plainRows(std::string_view rich);

// The number of variables in a line's rich text (neighbouring runs of one variable count once).
int countVariables(std::string_view rich);

// The entries of a comma-separated list, without empty ones.
std::vector<std::string> listEntries(std::string_view list);

} // namespace marquis
