#pragma once

#include "model/currentmessage.h"

#include <string>
#include <string_view>

namespace marquis::cli {

// The fields of one message from a JSON object (UTF-8). Every field is checked for its type and
// range and its text converted to Windows-1252; a missing field keeps its default. Unknown
// fields are refused so that a misspelt name is not silently ignored. A CommandError names the
// first field that is wrong.
CurrentMessage messageFromJson(std::string_view jsonText);

// The fields of a message as pretty-printed JSON (UTF-8), under the names messageFromJson
// takes, with ScriptEditOnly and the lines 1..UnitLines. Ends with a newline.
std::string messageToJson(const CurrentMessage& message);

} // namespace marquis::cli
