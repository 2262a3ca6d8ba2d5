#pragma once

#include <cstddef>
#include <string_view>

namespace marquis {

// Calls `word(at, name, parameter, hasParameter)` for every control word of a rich text, in
// order: `at` is the position of its backslash, `name` its letters, then an optional number
// (a minus sign before the digits makes it negative). A doubled backslash is a literal
// backslash, no control word.
template <typename Word> void forEachControlWord(std::string_view rich, Word&& word)
{
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t p = 0; p < rich.size(); ++p) {
        if (rich[p] != '\\')
            continue;
        if (p + 1 < rich.size() && rich[p + 1] == '\\') {
            ++p;
            continue;
        }
        std::size_t q = p + 1;
        while (q < rich.size() && isLetter(rich[q]))
            ++q;
        const std::string_view name = rich.substr(p + 1, q - p - 1);
        bool negative = false;
        if (q + 1 < rich.size() && rich[q] == '-' && isDigit(rich[q + 1])) {
            negative = true;
            ++q;
        }
        long long parameter = 0;
        const std::size_t digits = q;
        while (q < rich.size() && isDigit(rich[q])) {
            if (parameter < 1'000'000'000)
                parameter = parameter * 10 + (rich[q] - '0');
            ++q;
        }
        word(p, name, negative ? -parameter : parameter, q > digits);
        p = q - 1;
    }
}

}  // namespace marquis
