#pragma once

#include "model/currentmessage.h"
#include "scriptsession.h"

#include <string_view>

namespace marquis::cli {

// Message `number` of an opened script file as the editor shows it when it goes to that
// message: its text from the file, read into fields with the placeholder of the editor's default
// settings (a text changed by hand stays Script Edit only). What the editor said on the way goes to standard error. A CommandError when the file
// holds no such message.
const CurrentMessage& loadFileMessage(ScriptSession& opened, int number);

// The value of a numeric option (--message, --ms, --step); a CommandError naming the range
// when it is no whole number in [lowest, highest].
long long numberOption(
    std::string_view option, std::string_view text, long long lowest, long long highest);

} // namespace marquis::cli
