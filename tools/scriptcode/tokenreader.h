#pragma once

// Reads the tokens of one statement in order; a mismatch throws SyntaxError with the text of
// the error, which the compiler reports for the line.

#include "scriptcode/defines.h"
#include "scriptcode/lexer.h"

#include <string>
#include <vector>

namespace marquis::unit {

struct SyntaxError {
    std::string text;
};

class TokenReader {
public:
    TokenReader(const std::vector<Token>& tokens, const Defines& defines);

    bool atEnd() const { return m_next >= m_tokens.size(); }
    const Token* peek() const;
    bool nextIs(std::string_view symbolOrName) const;

    // Takes the next token when it is this symbol or name (names without regard to case).
    bool accept(std::string_view symbolOrName);
    void expect(std::string_view symbolOrName, std::string_view what);
    std::string name(std::string_view what);
    std::string string(std::string_view what);
    // A number: an optional sign, then digits or a defined name.
    int value(std::string_view what);
    // The arguments of a procedure call: "(" value {"," value} ")".
    std::vector<int> arguments(std::string_view procedure);
    void expectEnd();

private:
    std::string describeNext() const;

    const std::vector<Token>& m_tokens;
    const Defines& m_defines;
    std::size_t m_next = 0;
};

} // namespace marquis::unit
