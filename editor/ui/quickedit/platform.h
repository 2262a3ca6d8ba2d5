#pragma once

#include <optional>

namespace marquis {

// The few system settings the main window touches: the display font and the keyboard repeat
// rate, which is set to its slowest while the program runs so a held key does not flood the
// line editor.
class Platform {
public:
    virtual ~Platform() = default;
    // True when the simulated display can show its fixed-pitch characters.
    virtual bool displayFontAvailable() = 0;
    // The system keyboard repeat rate; none when it cannot be read.
    virtual std::optional<int> keyboardRepeatRate() = 0;
    // Sets the system keyboard repeat rate; false when that is not possible.
    virtual bool setKeyboardRepeatRate(int rate) = 0;
};

// For desktops where the repeat rate is the user's own business: it can be neither read nor
// set, and the simulated display draws its own characters, so the font is always there.
class PortablePlatform : public Platform {
public:
    bool displayFontAvailable() override { return true; }
    std::optional<int> keyboardRepeatRate() override { return std::nullopt; }
    bool setKeyboardRepeatRate(int) override { return false; }
};

} // namespace marquis
