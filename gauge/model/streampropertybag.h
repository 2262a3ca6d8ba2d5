#pragma once

#include "model/propertybag.h"

#include <QByteArray>
#include <QDataStream>

namespace qvgauge {

// Properties as a binary stream: the values one after another in the order saved, without
// names, little-endian, in a fixed QDataStream format. The version is a 32-bit number, major in
// the high half; shorts and booleans are 16 bits (true as -1), colours 32 bits, sizes 32-bit
// floats; strings and pictures carry a 32-bit length (pictures after their 16-bit kind).
// A stream that ends early, or a length beyond what the stream holds, leaves every value from
// there on missing.
class StreamPropertyBag : public PropertyBag {
public:
    // Appends to `out`.
    explicit StreamPropertyBag(QByteArray* out);
    // Reads `in`.
    explicit StreamPropertyBag(const QByteArray& in);

    void writeVersion(PersistVersion version) override;
    void writeShort(std::string_view name, std::int16_t value) override;
    void writeBool(std::string_view name, bool value) override;
    void writeColor(std::string_view name, OleColor value) override;
    void writeSingle(std::string_view name, float value) override;
    void writeString(std::string_view name, std::string_view value) override;
    void writePicture(std::string_view name, const Picture& value) override;

    std::optional<PersistVersion> readVersion() override;
    std::optional<std::int16_t> readShort(std::string_view name) override;
    std::optional<bool> readBool(std::string_view name) override;
    std::optional<OleColor> readColor(std::string_view name) override;
    std::optional<float> readSingle(std::string_view name) override;
    std::optional<std::string> readString(std::string_view name) override;
    std::optional<Picture> readPicture(std::string_view name) override;

private:
    void setUp();
    void writeBytes(const char* data, std::size_t size);
    // Reads `size` bytes when at most `limit`; a longer block is skipped and answers nothing, and
    // one longer than the rest of the stream ends the reading.
    std::optional<QByteArray> readBytes(std::uint32_t size, std::uint32_t limit);
    template <typename T> std::optional<T> read();

    QDataStream m_stream;
};

} // namespace qvgauge
