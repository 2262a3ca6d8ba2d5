#pragma once

#include <array>
#include <cstdint>

namespace marquis::qt {

// One character of the display's 5 x 7 dot matrix: five columns from left to right, bit 0 of
// each the top dot.
using LedGlyph = std::array<std::uint8_t, 5>;

// The dots of a character; characters 32 to 127 have their own glyph, any other a full cell.
LedGlyph ledGlyph(unsigned char character);

} // namespace marquis::qt
