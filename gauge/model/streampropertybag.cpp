#include "model/streampropertybag.h"

#include <QIODevice>
#include <cmath>

namespace qvgauge {

StreamPropertyBag::StreamPropertyBag(QByteArray* out)
    : m_stream(out, QIODevice::WriteOnly | QIODevice::Append)
{
    setUp();
}

StreamPropertyBag::StreamPropertyBag(const QByteArray& in)
    : m_stream(in)
{
    setUp();
}

void StreamPropertyBag::setUp()
{
    m_stream.setVersion(QDataStream::Qt_6_0);
    m_stream.setByteOrder(QDataStream::LittleEndian);
    m_stream.setFloatingPointPrecision(QDataStream::SinglePrecision);
}

template <typename T> std::optional<T> StreamPropertyBag::read()
{
    T value {};
    m_stream >> value;
    if (m_stream.status() != QDataStream::Ok)
        return std::nullopt;
    return value;
}

void StreamPropertyBag::writeBytes(const char* data, std::size_t size)
{
    m_stream << static_cast<quint32>(size);
    m_stream.writeRawData(data, static_cast<int>(size));
}

std::optional<QByteArray> StreamPropertyBag::readBytes(std::uint32_t size, std::uint32_t limit)
{
    if (m_stream.status() != QDataStream::Ok)
        return std::nullopt;
    // The stream reads a byte array, so it knows how much is left: a length beyond that is
    // damage, and nothing after it can be trusted.
    if (size > m_stream.device()->bytesAvailable()) {
        m_stream.setStatus(QDataStream::ReadPastEnd);
        return std::nullopt;
    }
    if (size > limit) {
        m_stream.device()->skip(size);
        return std::nullopt;
    }
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    if (m_stream.readRawData(bytes.data(), static_cast<int>(size)) != static_cast<int>(size)) {
        m_stream.setStatus(QDataStream::ReadPastEnd);
        return std::nullopt;
    }
    return bytes;
}

void StreamPropertyBag::writeVersion(PersistVersion version)
{
    m_stream << static_cast<quint32>((static_cast<quint32>(version.major) << 16) |
        (static_cast<quint32>(version.minor) & 0xFFFF));
}

void StreamPropertyBag::writeShort(std::string_view, std::int16_t value)
{
    m_stream << static_cast<qint16>(value);
}

void StreamPropertyBag::writeBool(std::string_view, bool value)
{
    m_stream << static_cast<qint16>(value ? -1 : 0);
}

void StreamPropertyBag::writeColor(std::string_view, OleColor value)
{
    m_stream << static_cast<quint32>(value);
}

void StreamPropertyBag::writeSingle(std::string_view, float value)
{
    m_stream << value;
}

void StreamPropertyBag::writeString(std::string_view, std::string_view value)
{
    writeBytes(value.data(), value.size());
}

void StreamPropertyBag::writePicture(std::string_view, const Picture& value)
{
    m_stream << static_cast<qint16>(value.kind);
    writeBytes(reinterpret_cast<const char*>(value.data.data()), value.data.size());
}

std::optional<PersistVersion> StreamPropertyBag::readVersion()
{
    const auto packed = read<quint32>();
    if (!packed)
        return std::nullopt;
    return PersistVersion { static_cast<int>(*packed >> 16), static_cast<int>(*packed & 0xFFFF) };
}

std::optional<std::int16_t> StreamPropertyBag::readShort(std::string_view)
{
    return read<qint16>();
}

std::optional<bool> StreamPropertyBag::readBool(std::string_view)
{
    const auto value = read<qint16>();
    if (!value)
        return std::nullopt;
    return *value != 0;
}

std::optional<OleColor> StreamPropertyBag::readColor(std::string_view)
{
    return read<quint32>();
}

std::optional<float> StreamPropertyBag::readSingle(std::string_view)
{
    const auto value = read<float>();
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

std::optional<std::string> StreamPropertyBag::readString(std::string_view)
{
    const auto size = read<quint32>();
    if (!size)
        return std::nullopt;
    const auto bytes = readBytes(*size, MaxStringBytes);
    if (!bytes)
        return std::nullopt;
    return bytes->toStdString();
}

std::optional<Picture> StreamPropertyBag::readPicture(std::string_view)
{
    const auto kind = read<qint16>();
    const auto size = read<quint32>();
    if (!kind || !size)
        return std::nullopt;
    const auto bytes = readBytes(*size, MaxPictureBytes);
    if (!bytes)
        return std::nullopt;
    Picture picture;
    picture.kind = static_cast<PictureKind>(*kind);
    const auto* first = reinterpret_cast<const std::uint8_t*>((*bytes).constData());
    picture.data.assign(first, first + (*bytes).size());
    return picture;
}

} // namespace qvgauge
