#pragma once

// A message's code in the unit image: each instruction is its operation byte followed by its
// operands (bytes, signed bytes, 16-bit little-endian numbers, or a 16-bit length and the text
// bytes); the code ends with the END byte (0). Layout in docs/bin-format.md.

#include "scriptcode/instruction.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace marquis::unit {

// Appends the code of one message (ending with END) to `out`.
void encodeMessage(const std::vector<Instruction>& code, std::vector<std::uint8_t>& out);

// Reads a message's code back; no value when the bytes are not well-formed code: an unknown
// operation, an operand out of its range, an operand cut off, or no END as the last byte.
std::optional<std::vector<Instruction>> decodeMessage(std::span<const std::uint8_t> bytes);

} // namespace marquis::unit
