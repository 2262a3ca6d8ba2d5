#include "model/numberformat.h"

#include <cstdint>
#include <limits>

namespace marquis {

std::string withLeadingBlank(long long n)
{
    return n >= 0 ? " " + std::to_string(n) : std::to_string(n);
}

long long numberValue(std::string_view text)
{
    constexpr long long high = std::numeric_limits<std::int32_t>::max();
    constexpr long long low = std::numeric_limits<std::int32_t>::min();
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > high + 1)
            value = high + 1;
    }
    value = negative ? -value : value;
    return value > high ? high : (value < low ? low : value);
}

bool parseWholeNumber(std::string_view text, long long& value)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    if (i == text.size() || text.size() - i > 12)
        return false;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9')
            return false;
    value = numberValue(text);
    return true;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return rightTrimmed(text);
}

std::string_view rightTrimmed(std::string_view text)
{
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace marquis
