#pragma once

#include "model/fontdescription.h"
#include "model/gaugetypes.h"
#include "model/picture.h"

#include <cstdint>
#include <string>

namespace qvgauge {

// The stock properties every control shares. The values here are both the creation values and
// what a load uses when a value is missing.
struct StockProperties {
    std::string caption;
    bool enabled = true;
    FontDescription font;
    OleColor backColor = systemColor(ColorWindow);
    OleColor foreColor = systemColor(ColorWindowText);
    std::int16_t appearance = static_cast<std::int16_t>(Appearance::Flat);

    friend bool operator==(const StockProperties&, const StockProperties&) = default;
};

// The gauge's own properties, initialised to their values at creation. A loaded gauge holds
// whatever was saved, unchecked, so readers of these values must not assume the setters' rules
// (Min < Max, styles in range, sizes not negative).
struct GaugeProperties {
    std::int16_t innerTop = 5;
    std::int16_t innerLeft = 5;
    std::int16_t innerRight = 5;
    std::int16_t innerBottom = 5;
    std::int16_t min = 0;
    std::int16_t max = 100;
    std::int16_t fillValue = 0;
    std::int16_t gaugeStyle = static_cast<std::int16_t>(GaugeStyle::HorizontalBar);
    bool autosize = true;
    std::int16_t needleWidth = 0;
    bool reverseFill = false;
    std::int16_t scaleMode = static_cast<std::int16_t>(ScaleMode::Pixels);
    std::int16_t bevelStyle = static_cast<std::int16_t>(BevelStyle::Lowered);
    std::int16_t bevelSize = 0;
    std::int16_t bevelStyleInner = static_cast<std::int16_t>(BevelStyleInner::Lowered);
    std::int16_t bevelSizeInner = 0;
    OleColor fillColor = systemColor(ColorButtonFace);
    OleColor shadowColor = systemColor(ColorButtonShadow);
    OleColor borderColor = systemColor(ColorWindowFrame);
    OleColor lightColor = systemColor(ColorButtonHighlight);
    OleColor textColor = systemColor(ColorButtonText);
    std::int16_t borderStyle = static_cast<std::int16_t>(BorderStyle::None);
    std::int16_t alignment = static_cast<std::int16_t>(Alignment::Left);
    std::int16_t fontStyle = static_cast<std::int16_t>(FontStyle::None);
    bool fontTransparent = true;
    bool multiLine = false;
    std::int16_t wallPaper = static_cast<std::int16_t>(WallPaper::Stretch);
    OleColor fillBarColor = 0x0000FF; // pure red
    std::int16_t mousePointer = static_cast<std::int16_t>(MousePointer::Default);
    Picture picture;
    Picture pictureFill;
    Picture mouseIcon;

    friend bool operator==(const GaugeProperties&, const GaugeProperties&) = default;
};

} // namespace qvgauge
