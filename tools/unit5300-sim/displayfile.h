#pragma once

#include <string>
#include <string_view>
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

// Appends the bytes the unit sent out of its serial port to the file (made when missing), so
// that the file holds everything sent while the unit runs. False with the reason in `error`.
bool appendSerialFile(const std::string& path, std::string_view bytes, std::string& error);

// Serial bytes for a terminal: a control code shows as "^" and its letter ("^M").
std::string visibleBytes(std::string_view bytes);

} // namespace marquis::unit
