#pragma once

#include "model/checkvaluesource.h"
#include "model/currentmessage.h"

#include <string>

namespace marquis::bench {

// The first worked example of the format: two short lines, one of them centred, one blinking
// word.
CurrentMessage workedExample();

// A message with four lines and every attribute: centring, blinking, all variable kinds, a
// scrolled line, a block-played line, start lists, send text, relay, clear screen and lock.
CurrentMessage fullMessage(int number);

// A script file (model 5360, version 2) of all 1024 messages, each a fullMessage.
std::string fullScriptFile(CheckValueSource& checkValues);

} // namespace marquis::bench
