// The check-value module: class TessalyCRC computes the CRC-32 of a text exactly as zlib's
// crc32() does and hands it back as a signed 32-bit number. Stored files contain these values,
// so the algorithm must never change.

#include "componentabi.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <zlib.h>

namespace {

// The object behind a MarquisCrcObject pointer; the table pointer comes first.
struct CrcObject {
    MarquisCrcObject header;
    std::int32_t value;
};
static_assert(std::is_standard_layout_v<CrcObject>);

CrcObject* implementation(MarquisCrcObject* self)
{
    return reinterpret_cast<CrcObject*>(self);
}

const CrcObject* implementation(const MarquisCrcObject* self)
{
    return reinterpret_cast<const CrcObject*>(self);
}

void release(MarquisCrcObject* self)
{
    delete implementation(self);
}

void calcCrc(MarquisCrcObject* self, const char* text, std::int32_t length)
{
    const uInt count = (text == nullptr || length <= 0) ? 0 : static_cast<uInt>(length);
    const uLong crc = crc32(crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(text), count);
    // The low 32 bits read as two's complement: 0xCBF43926 becomes -873187034.
    implementation(self)->value = static_cast<std::int32_t>(static_cast<std::uint32_t>(crc));
}

std::int32_t crcValue(const MarquisCrcObject* self)
{
    return implementation(self)->value;
}

constexpr MarquisCrcTable crcTable = { release, calcCrc, crcValue };

} // namespace

extern "C" MARQUIS_COMPONENT_EXPORT void* marquis_create_component(const char* className)
{
    if (className == nullptr || std::strcmp(className, MARQUIS_CRC_CLASS_NAME) != 0) {
        return nullptr;
    }
    auto* object = new (std::nothrow) CrcObject { { &crcTable }, 0 };
    return object == nullptr ? nullptr : &object->header;
}

static_assert(std::is_same_v<decltype(&marquis_create_component), MarquisCreateComponentFunction>);
