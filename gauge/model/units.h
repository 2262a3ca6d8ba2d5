#pragma once

#include <cstdint>

namespace qvgauge {

// The resolution of the device a conversion is for, in pixels per inch on each axis. A value
// of 0 or less (an unknown device) counts as 96.
struct Resolution {
    int x = 96;
    int y = 96;
};

inline constexpr int DefaultPixelsPerInch = 96;

// HIMETRIC units (0.01 mm) and pixels: v × ppi ÷ 2540 and back, rounded to nearest, halves away
// from zero; results beyond the 32-bit range saturate.
std::int32_t XHimetricToPixels(std::int32_t v, const Resolution& resolution = {});
std::int32_t YHimetricToPixels(std::int32_t v, const Resolution& resolution = {});
std::int32_t XPixelsToHimetric(std::int32_t v, const Resolution& resolution = {});
std::int32_t YPixelsToHimetric(std::int32_t v, const Resolution& resolution = {});

// Pixels and twips. Up to 1440 ppi a pixel is the whole number q = 1440 ÷ ppi of twips (15 at
// 96 ppi): pixels × q one way, (twips + q ÷ 2) ÷ q the other, rounding halves up, negative
// values included. Above 1440 ppi a pixel is less than a twip and the exact ratio is used,
// rounded halves up. Results beyond the int range saturate.
int XPixelsToTwips(int v, const Resolution& resolution = {});
int YPixelsToTwips(int v, const Resolution& resolution = {});
int XTwipsToPixels(int v, const Resolution& resolution = {});
int YTwipsToPixels(int v, const Resolution& resolution = {});

// How a container's coordinates map to HIMETRIC: HIMETRIC units per container unit on each
// axis, and the container position of the HIMETRIC origin. Positions use both, sizes only the
// scale. A twips container has a scale of 2540 ÷ 1440 and its origin at 0.
struct ContainerScale {
    double x = 1.0;
    double y = 1.0;
    double originX = 0.0;
    double originY = 0.0;
};

std::int32_t XContainerToHimetric(float v, const ContainerScale& scale);
std::int32_t YContainerToHimetric(float v, const ContainerScale& scale);
std::int32_t WidthContainerToHimetric(float v, const ContainerScale& scale);
std::int32_t HeightContainerToHimetric(float v, const ContainerScale& scale);
float XHimetricToContainer(std::int32_t v, const ContainerScale& scale);
float YHimetricToContainer(std::int32_t v, const ContainerScale& scale);
float WidthHimetricToContainer(std::int32_t v, const ContainerScale& scale);
float HeightHimetricToContainer(std::int32_t v, const ContainerScale& scale);

} // namespace qvgauge
