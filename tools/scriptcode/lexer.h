#pragma once

// Splits one line of a source or .esc file into tokens: names, unsigned numbers, strings and
// single-character symbols. A comment runs from its marker to the end of the line.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marquis::unit {

struct Token {
    enum class Kind { Name, Number, String, Symbol };
    Kind kind = Kind::Symbol;
    std::string text; // a name as written, a string's characters, or the symbol
    std::int64_t value = 0; // a number's value (saturated at the largest 32-bit value + 1)
};

struct LexerRules {
    std::string_view comment = "//";
    // Besides \" and \\, a string may hold \xHH for any byte (the .esc text does).
    bool hexEscapes = false;
};

struct LexResult {
    std::vector<Token> tokens;
    std::string error; // empty when the line was read completely
};

LexResult tokenize(std::string_view line, const LexerRules& rules);

// Names compare without regard to case.
bool sameName(std::string_view a, std::string_view b);

} // namespace marquis::unit
