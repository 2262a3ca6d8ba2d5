#pragma once

#include <string>
#include <string_view>

namespace marquis {

// A number as messages, captions and the SUB header show it: one leading blank when it is 0 or
// more, its minus sign otherwise (" 5", "-12").
std::string withLeadingBlank(long long n);

// Reads a number the way the script format does: leading blanks are skipped, an optional sign
// and the digits that follow are taken, anything after them is ignored; no digits give 0.
// Values beyond the range of a 32-bit integer are clamped to it.
long long numberValue(std::string_view text);

// True when the text is a whole decimal number (optional sign, at least one digit, nothing
// else); the value goes to `value`.
bool parseWholeNumber(std::string_view text, long long& value);

// Text with blanks removed at both ends, or at the end only.
std::string_view trimmed(std::string_view text);
std::string_view rightTrimmed(std::string_view text);

} // namespace marquis
