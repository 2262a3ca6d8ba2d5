#pragma once

#include "model/richscanner.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// One run of visible text of a rich-text line, with the control words collected in front of it.
struct RichRun {
    std::string controlWords; // the control words in front of the run, spaces included
    std::string text; // visible text; a literal backslash is a single '\' here
    std::size_t begin = 0; // the run's span in the rich text: its control words ...
    std::size_t textBegin = 0; // ... then its text, up to
    std::size_t end = 0;
};

struct RunScan {
    std::vector<RichRun> runs;
    std::size_t tailBegin = 0; // control words after the last run start here
};

// Splits rich text into runs the way the script writer reads it: control words gather until
// visible text starts; a control word after text ends the run. Characters the display cannot
// show (below 32, or above 127) and line breaks are passed over; a leading header group too.
RunScan scanRuns(std::string_view rich);

// The font number of a run: the number of its first control word that names a font; 0 without
// one; no value when neither that word nor a later one ends with a blank (such a run is not
// written).
std::optional<long long> runFont(std::string_view controlWords);

} // namespace marquis
