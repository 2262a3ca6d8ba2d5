#include "model/units.h"

#include <cmath>
#include <limits>

namespace qvgauge {

namespace {

constexpr std::int64_t HimetricPerInch = 2540;
constexpr std::int64_t TwipsPerInch = 1440;

int usable(int ppi)
{
    return ppi > 0 ? ppi : DefaultPixelsPerInch;
}

template <typename T> T saturate(std::int64_t value)
{
    if (value < std::numeric_limits<T>::min())
        return std::numeric_limits<T>::min();
    if (value > std::numeric_limits<T>::max())
        return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

template <typename T> T saturate(double value)
{
    if (std::isnan(value))
        return 0;
    if (value <= static_cast<double>(std::numeric_limits<T>::min()))
        return std::numeric_limits<T>::min();
    if (value >= static_cast<double>(std::numeric_limits<T>::max()))
        return std::numeric_limits<T>::max();
    return static_cast<T>(value);
}

// Integer division rounding towards minus infinity, for a positive divisor.
std::int64_t floorDiv(std::int64_t n, std::int64_t d)
{
    std::int64_t q = n / d;
    if (n % d != 0 && n < 0)
        --q;
    return q;
}

// v × mul ÷ div rounded to nearest, halves away from zero (div > 0; |v × mul| below 2^63).
std::int64_t mulDivRound(std::int64_t v, std::int64_t mul, std::int64_t div)
{
    const std::int64_t n = v * mul;
    const std::int64_t magnitude = n < 0 ? -n : n;
    std::int64_t q = magnitude / div;
    if (magnitude % div >= div - magnitude % div)
        ++q;
    return n < 0 ? -q : q;
}

// n ÷ d rounded to nearest, halves up (d > 0).
std::int64_t divRoundHalfUp(std::int64_t n, std::int64_t d)
{
    std::int64_t q = floorDiv(n, d);
    const std::int64_t r = n - q * d;
    if (r >= d - r)
        ++q;
    return q;
}

// A scale of 0 maps everything to one point; its inverse is taken as 0 rather than infinity.
double inverse(double scale)
{
    return scale != 0.0 && std::isfinite(scale) ? 1.0 / scale : 0.0;
}

std::int32_t himetricToPixels(std::int32_t v, int ppi)
{
    return saturate<std::int32_t>(mulDivRound(v, usable(ppi), HimetricPerInch));
}

std::int32_t pixelsToHimetric(std::int32_t v, int ppi)
{
    return saturate<std::int32_t>(mulDivRound(v, HimetricPerInch, usable(ppi)));
}

int pixelsToTwips(int v, int ppi)
{
    ppi = usable(ppi);
    if (ppi <= TwipsPerInch)
        return saturate<int>(static_cast<std::int64_t>(v) * (TwipsPerInch / ppi));
    return saturate<int>(divRoundHalfUp(static_cast<std::int64_t>(v) * TwipsPerInch, ppi));
}

int twipsToPixels(int v, int ppi)
{
    ppi = usable(ppi);
    if (ppi <= TwipsPerInch) {
        const std::int64_t q = TwipsPerInch / ppi;
        return saturate<int>(floorDiv(static_cast<std::int64_t>(v) + q / 2, q));
    }
    return saturate<int>(divRoundHalfUp(static_cast<std::int64_t>(v) * ppi, TwipsPerInch));
}

} // namespace

std::int32_t XHimetricToPixels(std::int32_t v, const Resolution& resolution)
{
    return himetricToPixels(v, resolution.x);
}

std::int32_t YHimetricToPixels(std::int32_t v, const Resolution& resolution)
{
    return himetricToPixels(v, resolution.y);
}

std::int32_t XPixelsToHimetric(std::int32_t v, const Resolution& resolution)
{
    return pixelsToHimetric(v, resolution.x);
}

std::int32_t YPixelsToHimetric(std::int32_t v, const Resolution& resolution)
{
    return pixelsToHimetric(v, resolution.y);
}

int XPixelsToTwips(int v, const Resolution& resolution)
{
    return pixelsToTwips(v, resolution.x);
}

int YPixelsToTwips(int v, const Resolution& resolution)
{
    return pixelsToTwips(v, resolution.y);
}

int XTwipsToPixels(int v, const Resolution& resolution)
{
    return twipsToPixels(v, resolution.x);
}

int YTwipsToPixels(int v, const Resolution& resolution)
{
    return twipsToPixels(v, resolution.y);
}

std::int32_t XContainerToHimetric(float v, const ContainerScale& scale)
{
    return saturate<std::int32_t>(std::round((v - scale.originX) * scale.x));
}

std::int32_t YContainerToHimetric(float v, const ContainerScale& scale)
{
    return saturate<std::int32_t>(std::round((v - scale.originY) * scale.y));
}

std::int32_t WidthContainerToHimetric(float v, const ContainerScale& scale)
{
    return saturate<std::int32_t>(std::round(v * scale.x));
}

std::int32_t HeightContainerToHimetric(float v, const ContainerScale& scale)
{
    return saturate<std::int32_t>(std::round(v * scale.y));
}

float XHimetricToContainer(std::int32_t v, const ContainerScale& scale)
{
    return static_cast<float>(v * inverse(scale.x) + scale.originX);
}

float YHimetricToContainer(std::int32_t v, const ContainerScale& scale)
{
    return static_cast<float>(v * inverse(scale.y) + scale.originY);
}

float WidthHimetricToContainer(std::int32_t v, const ContainerScale& scale)
{
    return static_cast<float>(v * inverse(scale.x));
}

float HeightHimetricToContainer(std::int32_t v, const ContainerScale& scale)
{
    return static_cast<float>(v * inverse(scale.y));
}

} // namespace qvgauge
