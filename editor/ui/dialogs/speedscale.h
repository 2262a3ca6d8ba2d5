#pragma once

#include <string_view>

namespace marquis {

// The speed slider of the blink and scroll dialogs: seven positions from SLOWEST to FASTEST.
// Blinking and continuous scrolling store one column of rates, block-by-block and vertical
// scrolling the other (both in 10 ms steps); each column has the preview tick that shows it.
struct SpeedStep {
    std::string_view word;
    int rate = 0; // blink and continuous scroll
    int blockRate = 0; // block-by-block and vertical scroll
    int tickMs = 0; // preview of `rate`
    int blockTickMs = 0; // preview of `blockRate`
};

inline constexpr int SlowestPosition = 1;
inline constexpr int NormalPosition = 4;
inline constexpr int FastestPosition = 7;

// The speed of a slider position (clamped to 1..7).
const SpeedStep& speedStep(int position);

// The rate a stored attribute starts with: the number before its first comma
// ("25,3" of a LineScroll, "25" of a LineBlink or a BlockWait).
long long leadingRate(std::string_view attribute);

// The slider position of a stored rate of either column; rates outside 1..254 give NORMAL.
int positionOfRate(long long rate);
int positionOfBlockRate(long long rate);

} // namespace marquis
