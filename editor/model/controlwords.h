#pragma once

#include "model/richscanner.h"

#include <cstddef>
#include <string_view>

namespace marquis {

// Calls `word(at, name, parameter, hasParameter)` for every control word of a rich text, in
// order: `at` is the position of its backslash, `name` its letters, then an optional number
// (a minus sign before the digits makes it negative). A doubled backslash is a literal
// backslash, no control word; the words of a leading header group do not count.
template <typename Word> void forEachControlWord(std::string_view rich, Word&& word)
{
    forEachRichToken(rich, [&](const RichToken& token) {
        if (token.kind == RichTokenKind::ControlWord)
            word(token.begin, token.name, token.number, token.hasNumber);
    });
}

}  // namespace marquis
