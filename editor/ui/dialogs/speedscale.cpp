#include "ui/dialogs/speedscale.h"

#include "model/numberformat.h"

#include <algorithm>
#include <array>

namespace marquis {
namespace {

constexpr std::array<SpeedStep, 7> Steps { {
    { "SLOWEST", 100, 50, 1000, 5000 },
    { "SLOWER", 70, 30, 700, 3000 },
    { "SLOW", 40, 20, 400, 2000 },
    { "NORMAL", 25, 10, 250, 1000 },
    { "FAST", 18, 6, 150, 600 },
    { "FASTER", 8, 3, 100, 300 },
    { "FASTEST", 1, 1, 40, 100 },
} };

// A rate read back falls on the position whose band holds it: the upper ends of the bands
// from FASTEST down to SLOWER (anything above the last is SLOWEST).
constexpr std::array<long long, 6> RateBands { 5, 13, 20, 30, 50, 80 };
constexpr std::array<long long, 6> BlockRateBands { 2, 5, 9, 15, 25, 40 };

int positionInBands(long long rate, const std::array<long long, 6>& bands)
{
    if (rate < 1 || rate >= 255)
        return NormalPosition;
    int position = FastestPosition;
    for (const long long below : bands) {
        if (rate < below)
            return position;
        --position;
    }
    return SlowestPosition;
}

} // namespace

const SpeedStep& speedStep(int position)
{
    position = std::clamp(position, SlowestPosition, FastestPosition);
    return Steps[static_cast<std::size_t>(position - SlowestPosition)];
}

long long leadingRate(std::string_view attribute)
{
    return numberValue(trimmed(attribute.substr(0, attribute.find(','))));
}

int positionOfRate(long long rate)
{
    return positionInBands(rate, RateBands);
}

int positionOfBlockRate(long long rate)
{
    return positionInBands(rate, BlockRateBands);
}

} // namespace marquis
