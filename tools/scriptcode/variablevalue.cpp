#include "scriptcode/variablevalue.h"

#include <algorithm>

namespace marquis::unit {
namespace {

bool allDigits(std::string_view text)
{
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// Adds one to a string of digits; "99" becomes "100".
void increment(std::string& digits)
{
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

} // namespace

std::optional<DecimalValue> parseDecimal(std::string_view text)
{
    DecimalValue value;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        value.negative = text[0] == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view {} : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;
    const std::size_t firstNonZero = whole.find_first_not_of('0');
    value.whole = firstNonZero == std::string_view::npos ? "" : whole.substr(firstNonZero);
    value.fraction = fraction;
    return value;
}

VariableValues parseVariables(std::string_view text)
{
    VariableValues values;
    std::size_t index = 0;
    std::size_t at = 0;
    while (at < text.size() && index < values.size()) {
        const std::size_t begin = text.find_first_not_of(" ,\t", at);
        if (begin == std::string_view::npos)
            break;
        const std::size_t end = std::min(text.find_first_of(" ,\t", begin), text.size());
        values[index++] = parseDecimal(text.substr(begin, end - begin));
        at = end;
    }
    return values;
}

std::string formatValue(
    const std::optional<DecimalValue>& value, int width, int decimals, bool zeroFill)
{
    if (width <= 0)
        return {};
    const auto size = static_cast<std::size_t>(width);
    if (!value)
        return std::string(size, ' ');
    const auto places = static_cast<std::size_t>(std::max(decimals, 0));

    // All digits with `places` decimals, rounded half away from zero.
    std::string digits = value->whole + value->fraction.substr(0, places);
    if (value->fraction.size() < places)
        digits.append(places - value->fraction.size(), '0');
    if (value->fraction.size() > places && value->fraction[places] >= '5')
        increment(digits);
    if (digits.size() <= places)
        digits.insert(0, places + 1 - digits.size(), '0');
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    const bool negative = value->negative && !zero;

    std::string number = digits.substr(0, digits.size() - places);
    if (places > 0)
        number += "." + digits.substr(digits.size() - places);
    const std::size_t needed = number.size() + (negative ? 1 : 0);
    if (needed > size)
        return std::string(size, '*');
    if (zeroFill)
        return (negative ? "-" : "") + std::string(size - needed, '0') + number;
    return std::string(size - needed, ' ') + (negative ? "-" : "") + number;
}

} // namespace marquis::unit
