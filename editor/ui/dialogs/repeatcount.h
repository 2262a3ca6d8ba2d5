#pragma once

#include <cstddef>
#include <string_view>

namespace marquis {

// The repeat count of the scroll dialogs: how many times a scrolled line or message plays
// before the next message. It goes into a statement of the script, so only 1 to 255 in
// decimal digits without a leading zero is a count ("0" would mean "until the next message").
inline constexpr std::size_t RepeatCountDigits = 3;
inline constexpr int LargestRepeatCount = 255;

// The key filter of the count boxes: digits and Backspace (8).
bool acceptsRepeatKey(int code);

bool isRepeatCount(std::string_view count);

} // namespace marquis
