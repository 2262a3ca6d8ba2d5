#pragma once

// The values of a call up's variables and how the display prints them. Values are kept as the
// decimal digits they were given with, so that printing them never loses or invents digits.

#include "scriptcode/instruction.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace marquis::unit {

struct DecimalValue {
    bool negative = false;
    std::string whole; // digits before the point, without leading zeros ("" for 0)
    std::string fraction; // digits after the point
};

using VariableValues = std::array<std::optional<DecimalValue>, VariableCount>;

// One value: an optional sign, digits, optionally a point and more digits ("12", "-3.25",
// ".5"); no value for anything else.
std::optional<DecimalValue> parseDecimal(std::string_view text);

// The values of variables 1..16 from a call up's variable string: values separated by blanks
// or commas (a run of them separates once). A value that is not a number leaves its variable
// unset; values after the 16th are ignored.
VariableValues parseVariables(std::string_view text);

// Exactly `width` characters: the value rounded (half away from zero) to `decimals` places,
// right-aligned, filled with blanks or, when `zeroFill`, with zeros after the sign. An unset
// value prints as blanks; a value too wide for its field prints as asterisks.
std::string formatValue(
    const std::optional<DecimalValue>& value, int width, int decimals, bool zeroFill);

} // namespace marquis::unit
