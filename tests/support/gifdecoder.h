#pragma once

#include <QImage>
#include <string>
#include <vector>

namespace marquis::testing {

// A GIF file as a viewer plays it, read with giflib: each frame drawn over the one before.
struct DecodedGif {
    bool ok = false;
    std::string error;
    int width = 0;
    int height = 0;
    bool loops = false; // carries the endless-loop application extension
    std::vector<QImage> frames; // the whole picture after each frame, RGB32
    std::vector<int> delays; // hundredths of a second
    std::vector<QRect> rects; // where each frame was stored
    int paletteSize = 0; // of the global palette
    bool localPalettes = false;

    long long totalDelay() const;
};

DecodedGif decodeGif(const std::string& bytes);

} // namespace marquis::testing
