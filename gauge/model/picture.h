#pragma once

#include "model/gaugetypes.h"

#include <cstdint>
#include <vector>

namespace qvgauge {

// A picture as the model keeps it: what kind it is and its encoded image (a format the
// painter's image reader understands). The model never decodes it.
struct Picture {
    PictureKind kind = PictureKind::Empty;
    std::vector<std::uint8_t> data;

    bool isEmpty() const { return kind == PictureKind::Empty; }

    friend bool operator==(const Picture&, const Picture&) = default;
};

// Picture and PictureFill take an empty picture or a bitmap.
constexpr bool acceptsAsFill(PictureKind kind)
{
    return kind == PictureKind::Empty || kind == PictureKind::Bitmap;
}

// MouseIcon takes an empty picture or an icon.
constexpr bool acceptsAsCursor(PictureKind kind)
{
    return kind == PictureKind::Empty || kind == PictureKind::Icon;
}

} // namespace qvgauge
