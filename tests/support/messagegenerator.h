#pragma once

#include "model/currentmessage.h"

#include <random>
#include <string>

namespace marquis::testing {

// Builds random messages in the form the script reader produces, so that writing one and
// reading it back must give the very same fields. Covers every attribute, both unit models,
// centring, blinking, the four kinds of variables, block-played and scrolled lines, and text
// with quotes and backslashes.
class MessageGenerator {
public:
    explicit MessageGenerator(unsigned seed)
        : m_random(seed)
    {
    }

    CurrentMessage message();
    // A message whose variables use the given placeholder character.
    CurrentMessage message(const std::string& placeholder);

    // A random rich text, not necessarily in the reader's form, for fuzzing the writer.
    std::string anyRichText();

private:
    struct Block {
        std::string rich; // runs, each opened by its control words
        std::size_t plain = 0; // visible characters
        bool blinks = false;
    };

    int number(int low, int high);
    bool chance(int percent);
    std::string plainText(int length, bool mayBeBlanks);
    std::string variableRun(const std::string& placeholder, int& length);
    Block block(int maxPlain, const std::string& placeholder, bool firstRunMayBeBlanks);
    std::string startList();
    std::string sendText();
    void fillLine(CurrentMessage& message, int i, bool blockPlayed);

    std::mt19937 m_random;
};

// Whether two messages hold the same fields (the writer's and reader's scratch not counted).
// On a difference, `difference` names the first differing field.
bool sameFields(const CurrentMessage& a, const CurrentMessage& b, std::string& difference);

} // namespace marquis::testing
