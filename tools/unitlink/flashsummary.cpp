#include "flashsummary.h"

#include "crc.h"

namespace marquis::unit {

std::uint32_t contentCrc32(std::span<const std::uint8_t> bytes)
{
    return crc32(bytes.first(bytes.size() > 4 ? bytes.size() - 4 : 0));
}

FlashSummary FlashSummary::of(std::span<const std::uint8_t> bytes)
{
    return { static_cast<std::uint32_t>(bytes.size()), crc32(bytes), contentCrc32(bytes) };
}

FlashMatch compareFlash(const FlashSummary& flash, std::span<const std::uint8_t> image)
{
    const FlashSummary expected = FlashSummary::of(image);
    if (flash.size != expected.size || flash.crc != expected.crc)
        return FlashMatch::Different;
    if (!flash.contentCrc)
        return FlashMatch::Unknown;
    return *flash.contentCrc == *expected.contentCrc ? FlashMatch::Same : FlashMatch::Different;
}

} // namespace marquis::unit
