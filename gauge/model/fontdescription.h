#pragma once

#include <string>

namespace qvgauge {

// The caption's font as a plain description; the painter turns it into a real font.
struct FontDescription {
    std::string name = "Sans Serif";
    float size = 8.25f; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

} // namespace qvgauge
