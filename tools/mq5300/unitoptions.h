#pragma once

#include "commands.h"

#include "files/preferences.h"

#include <string>
#include <vector>

namespace marquis::cli {

// The connection settings of a unit command (--port, --address, --baud, --model) and the words
// that are left.
struct UnitOptions {
    Preferences settings;
    std::vector<std::string> words;
};

// Reads the options; a CommandError for an unknown option or a value out of range.
UnitOptions readUnitOptions(Arguments arguments, const std::string& toolsFolder);

}  // namespace marquis::cli
