#pragma once

#include <string>
#include <vector>

namespace marquis::unit {

// What the display shows: its rows and the relay.
struct DisplayState {
    std::vector<std::string> rows;
    bool relayOn = false;

    bool operator==(const DisplayState&) const = default;
};

// The display file: one line per display row (20 characters each), then "relay on" or
// "relay off"; CR LF line ends, Windows-1252. Replaced as a whole, so a reader never sees half
// of it. False with the reason in `error`.
bool writeDisplayFile(const std::string& path, const DisplayState& state, std::string& error);

// The display for a terminal: the rows between bars, and the relay.
std::string displayPicture(const DisplayState& state);

} // namespace marquis::unit
