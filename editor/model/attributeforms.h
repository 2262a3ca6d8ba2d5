#pragma once

#include <string_view>

namespace marquis {

// The attribute texts that go into statements as they stand, and the forms they must have so
// that their statement stays one statement the unit takes. Numbers are decimal digits, with
// blanks allowed around them; an empty text means the attribute is not set and is not a form.
// The writer leaves out an attribute that has none of these forms, and the command line refuses
// it.

// LineBlink, the BLINK arguments: a rate 1..255, a comma and the flag ON or 1 ("25,ON", "40,1").
bool isBlinkForm(std::string_view text);

// LineScroll, the SCROLL arguments: a speed 1..255, a comma and how often the text passes,
// 0..255, 0 for until the next message ("25,0").
bool isScrollForm(std::string_view text);

// LineBlock, the GOTO_MARKER arguments: the marker 0 (the only one the writer drops), a comma
// and how often the blocks are played, 0..255, 0 for until the next message ("0,3").
bool isBlockForm(std::string_view text);

// BlockWait, the WAIT argument: a pause of 0..65535 tenths of a second ("10").
bool isPauseForm(std::string_view text);

// LineFont, the FONT_SET argument: ENGLISH, KATAKANA, CYRILLIC or SLAVIC.
bool isFontForm(std::string_view text);

// One entry of a start list, the START_SCRIPT argument: a message number 0..1023.
bool isStartForm(std::string_view text);

} // namespace marquis
