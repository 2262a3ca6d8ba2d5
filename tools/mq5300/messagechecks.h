#pragma once

#include "model/currentmessage.h"

#include <string_view>

namespace marquis::cli {

// Checks a placeholder character (Windows-1252): exactly one printable ASCII character that is
// not a blank, a backslash or a point, since those already mean something in the rich text of
// a line. A CommandError names `what` otherwise.
void checkPlaceholder(std::string_view placeholder, std::string_view what);

// Refuses fields that the script writer would drop or change without a word: text the display
// cannot show or on a line the unit does not have, labels that collide, block-played lines
// without a block mode, start lists beyond four entries, attribute values outside the ones
// the script knows, and blink, scroll, block and pause texts without their statement's form.
// So a written text always holds everything that was asked for.
void checkWritable(const CurrentMessage& message);

} // namespace marquis::cli
