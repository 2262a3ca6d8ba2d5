#include "model/richscanner.h"

#include <cstdint>
#include <limits>

namespace marquis {
namespace {

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

bool RichScanner::nextInsideWord(RichToken& token)
{
    while (m_innerAt < m_innerEnd) {
        const std::size_t at = m_innerAt++;
        if (m_rich[at] == '\r') {
            token = RichToken {};
            token.kind = RichTokenKind::LineBreak;
            token.begin = at;
            token.end = at + 1;
            token.character = '\r';
            token.insideWord = true;
            return true;
        }
    }
    return false;
}

void RichScanner::readWord(RichToken& token)
{
    const std::string_view rich = m_rich;
    const std::size_t n = rich.size();
    const std::size_t p = token.begin;
    token.kind = RichTokenKind::ControlWord;
    std::size_t q = p + 1;
    while (q < n && isLetter(rich[q]))
        ++q;
    token.name = rich.substr(p + 1, q - p - 1);
    if (q < n && rich[q] == '-') {
        token.negative = true;
        ++q;
    }
    // The number as the script format reads numbers: clamped to a 32-bit integer.
    constexpr long long high = std::numeric_limits<std::int32_t>::max();
    long long value = 0;
    const std::size_t digits = q;
    for (; q < n && isDigit(rich[q]); ++q) {
        value = value * 10 + (rich[q] - '0');
        if (value > high + 1)
            value = high + 1;
    }
    token.hasNumber = q > digits;
    token.number = token.negative ? -value : (value > high ? high : value);
    std::size_t firstReturn = std::string_view::npos;
    while (q < n && rich[q] != ' ' && rich[q] != '\\' && rich[q] != '\n') {
        if (rich[q] == '\r' && firstReturn == std::string_view::npos)
            firstReturn = q;
        ++q;
    }
    if (firstReturn != std::string_view::npos) {
        m_innerAt = firstReturn;
        m_innerEnd = q;
    }
    if (q == n) {
        token.ending = WordEnd::TextEnd;
    } else if (rich[q] == ' ') {
        token.ending = WordEnd::Blank;
        ++q;
    } else {
        token.ending = rich[q] == '\\' ? WordEnd::Backslash : WordEnd::LineFeed;
    }
    m_at = token.end = q;
}

} // namespace marquis
