#include "model/attributeforms.h"

#include "model/currentmessage.h"
#include "model/numberformat.h"

#include <array>
#include <optional>

namespace marquis {
namespace {

// The value of a piece made of digits only, blanks around them allowed.
std::optional<long long> digitsValue(std::string_view piece)
{
    piece = trimmed(piece);
    long long value = 0;
    if (piece.empty() || piece.find_first_not_of("0123456789") != std::string_view::npos ||
        !parseWholeNumber(piece, value))
        return std::nullopt;
    return value;
}

bool inRange(std::string_view piece, long long low, long long high)
{
    const std::optional<long long> value = digitsValue(piece);
    return value && *value >= low && *value <= high;
}

// Splits "first,second" at its one comma.
bool twoPieces(std::string_view text, std::string_view& first, std::string_view& second)
{
    const std::size_t comma = text.find(',');
    if (comma == std::string_view::npos)
        return false;
    first = text.substr(0, comma);
    second = text.substr(comma + 1);
    return second.find(',') == std::string_view::npos;
}

constexpr long long MaxRate = 255;
constexpr long long MaxPasses = 255;
constexpr long long MaxPause = 65535;

} // namespace

bool isBlinkForm(std::string_view text)
{
    std::string_view rate;
    std::string_view flag;
    if (!twoPieces(text, rate, flag))
        return false;
    flag = trimmed(flag);
    return inRange(rate, 1, MaxRate) && (flag == "ON" || flag == "1");
}

bool isScrollForm(std::string_view text)
{
    std::string_view speed;
    std::string_view passes;
    return twoPieces(text, speed, passes) && inRange(speed, 1, MaxRate) &&
        inRange(passes, 0, MaxPasses);
}

bool isBlockForm(std::string_view text)
{
    std::string_view marker;
    std::string_view passes;
    return twoPieces(text, marker, passes) && inRange(marker, 0, 0) &&
        inRange(passes, 0, MaxPasses);
}

bool isPauseForm(std::string_view text)
{
    return inRange(text, 0, MaxPause);
}

bool isFontForm(std::string_view text)
{
    constexpr std::array<std::string_view, 4> Fonts { "ENGLISH", "KATAKANA", "CYRILLIC", "SLAVIC" };
    for (const std::string_view font : Fonts)
        if (text == font)
            return true;
    return false;
}

bool isStartForm(std::string_view text)
{
    return inRange(text, 0, MessageCount - 1);
}

} // namespace marquis
