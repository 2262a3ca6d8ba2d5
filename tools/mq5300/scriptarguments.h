#pragma once

#include "commands.h"

#include <functional>
#include <string>
#include <string_view>

namespace marquis::cli {

// Takes one option of a command: true when `word` is one of its options, reading the option's
// value through `value` where it has one; false for an option it does not know.
using OptionTaker =
    std::function<bool(std::string_view word, const std::function<std::string_view()>& value)>;

// The arguments of a command that works on one script file: the file and the options `take`
// knows, in any order. Returns the file. A CommandError naming `command` for an unknown option,
// an option without its value, no file or more than one.
std::string readScriptFileArguments(
    std::string_view command, Arguments arguments, const OptionTaker& take);

} // namespace marquis::cli
