#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// Operations on the rich text of an edit line (LineText). Control words start with a backslash
// and end at a blank (which belongs to them) or at the next backslash; two backslashes stand for
// one literal backslash; "\f" N carries the font number: 0 plain, 65 blinking text, 1..64 the
// variables 1..16 in four kinds.

inline constexpr int PlainFont = 0;
inline constexpr int BlinkingTextFont = 65;

// The visible text of a rich text: what every length limit of a display line counts.
std::string GetText(std::string_view rich);

// The number of visible characters, as GetText(rich).size() without building the text.
std::size_t plainLength(std::string_view rich);

// "1" when something in the text blinks (font 17..32 or 49..65), else "".
std::string CheckBlink(std::string_view rich);

// True when the text holds a variable (font 1..64).
bool CheckVariable(std::string_view rich);

// The font number of the run that holds the visible character at `position` (1 is the first);
// -1 when no run reaches that far.
long long FontAtPosition(std::string_view rich, int position);

// The blink toggle of a selection: when its first run is steady every run is made blinking,
// otherwise every run is made steady. Returns the new rich text of the selection.
std::string ToggleBlink(std::string_view selection);

// When the visible text is longer than `width`, returns the leading part up to the last blank
// within reach of the limit (or exactly `width` characters when there is none) and leaves the
// rest, without its leading blanks, in `rich`; otherwise returns "" and leaves `rich` alone.
std::string TruncateText(std::string& rich, int width);

// True when the text holds the control word `name` (for example "qc"); a literal backslash
// followed by the same letters does not count.
bool hasControlWord(std::string_view rich, std::string_view name);

// Where the first visible character stands in the rich text; npos when there is none.
std::size_t firstVisiblePosition(std::string_view rich);

// The blocks of a block-played line: the rich text cut at every "\par" followed by CR LF.
std::vector<std::string> splitBlocks(std::string_view rich);

// Font classes of the rich-text encoding.
bool isVariableFont(long long font); // 1..64
bool isBlinkingFont(long long font); // 17..32, 49..64 and 65
bool isZeroFilledFont(long long font); // 33..64
int variableOfFont(long long font); // 1..16 for a variable font

// The control words that open a run of the given font, e.g. "\f65 \cf0 ".
std::string fontControlWords(long long font);

} // namespace marquis
