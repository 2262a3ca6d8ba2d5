#pragma once

#include "model/currentmessage.h"

namespace marquis::bench {

// The first worked example of the format: two short lines, one of them centred, one blinking
// word.
CurrentMessage workedExample();

// A message with four lines and every attribute: centring, blinking, all variable kinds, a
// scrolled line, a block-played line, start lists, send text, relay, clear screen and lock.
CurrentMessage fullMessage(int number);

} // namespace marquis::bench
