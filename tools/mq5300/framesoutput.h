#pragma once

#include "model/currentmessage.h"

#include <functional>
#include <string_view>

namespace marquis::cli {

// The longest play `frames` runs: one day of simulated time.
inline constexpr long long MaxFramesMs = 24LL * 60 * 60 * 1000;

// The simulated display of a message sampled at t = 0, stepMs, 2 * stepMs, ... up to untilMs:
// one JSON line per sample, {"t": t, "rows": [row1, row2, row3, row4]}, the rows as they stand
// after every timer tick due at or before t, in UTF-8, a row the unit does not show as null.
// The text goes to `write` in pieces of a few kilobytes, so a long play needs no more memory
// than a short one. Expects 0 <= untilMs and stepMs > 0.
void writeFrames(const CurrentMessage& message, long long untilMs, long long stepMs,
    const std::function<void(std::string_view)>& write);

} // namespace marquis::cli
