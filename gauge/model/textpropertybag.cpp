#include "model/textpropertybag.h"

#include <QByteArray>
#include <charconv>
#include <cmath>

namespace qvgauge {

namespace {

constexpr std::string_view VersionName = "Version";

template <typename T> std::optional<T> parseInteger(std::string_view text)
{
    T value {};
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc {} || ptr != end || text.empty())
        return std::nullopt;
    return value;
}

std::string quoted(std::string_view value)
{
    std::string out = "\"";
    for (char c : value) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    out += '"';
    return out;
}

// The text of a quoted value, or the value itself when it is not quoted. A quote left open or a
// stray escape make the value unreadable.
std::optional<std::string> unquoted(std::string_view value)
{
    if (value.empty() || value.front() != '"')
        return std::string(value);
    std::string out;
    for (std::size_t i = 1; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"')
            return i + 1 == value.size() ? std::optional(out) : std::nullopt;
        if (c != '\\') {
            out += c;
            continue;
        }
        if (++i == value.size())
            return std::nullopt;
        switch (value[i]) {
        case '\\':
            out += '\\';
            break;
        case '"':
            out += '"';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

TextPropertyBag::TextPropertyBag(std::string_view text)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0)
            continue;
        put(line.substr(0, equals), std::string(line.substr(equals + 1)));
    }
}

std::string TextPropertyBag::text() const
{
    std::size_t size = 0;
    for (const auto& [name, value] : m_lines)
        size += name.size() + value.size() + 3;
    std::string out;
    out.reserve(size);
    for (const auto& [name, value] : m_lines) {
        out += name;
        out += '=';
        out += value;
        out += "\r\n";
    }
    return out;
}

void TextPropertyBag::put(std::string_view name, std::string value)
{
    m_lines.emplace_back(std::string(name), std::move(value));
    m_index.insert_or_assign(std::string(name), m_lines.size() - 1);
}

const std::string* TextPropertyBag::find(std::string_view name) const
{
    const auto it = m_index.find(name);
    return it == m_index.end() ? nullptr : &m_lines[it->second].second;
}

void TextPropertyBag::writeVersion(PersistVersion version)
{
    put(VersionName, std::to_string(version.major) + "." + std::to_string(version.minor));
}

void TextPropertyBag::writeShort(std::string_view name, std::int16_t value)
{
    put(name, std::to_string(value));
}

void TextPropertyBag::writeBool(std::string_view name, bool value)
{
    put(name, value ? "1" : "0");
}

void TextPropertyBag::writeColor(std::string_view name, OleColor value)
{
    put(name, std::to_string(value));
}

void TextPropertyBag::writeSingle(std::string_view name, float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    put(name, std::string(buffer, result.ptr));
}

void TextPropertyBag::writeString(std::string_view name, std::string_view value)
{
    put(name, quoted(value));
}

void TextPropertyBag::writePicture(std::string_view name, const Picture& value)
{
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(value.data.data()),
            static_cast<qsizetype>(value.data.size()));
    const QByteArray encoded = bytes.toBase64();
    std::string text = std::to_string(static_cast<int>(value.kind)) + ":";
    text.append(encoded.constData(), static_cast<std::size_t>(encoded.size()));
    put(name, std::move(text));
}

std::optional<PersistVersion> TextPropertyBag::readVersion()
{
    const std::string* text = find(VersionName);
    if (!text)
        return std::nullopt;
    const std::string_view value = *text;
    const std::size_t dot = value.find('.');
    if (dot == std::string_view::npos)
        return std::nullopt;
    const auto major = parseInteger<int>(value.substr(0, dot));
    const auto minor = parseInteger<int>(value.substr(dot + 1));
    if (!major || !minor)
        return std::nullopt;
    return PersistVersion { *major, *minor };
}

std::optional<std::int16_t> TextPropertyBag::readShort(std::string_view name)
{
    const std::string* text = find(name);
    return text ? parseInteger<std::int16_t>(*text) : std::nullopt;
}

std::optional<bool> TextPropertyBag::readBool(std::string_view name)
{
    const std::string* text = find(name);
    if (!text)
        return std::nullopt;
    if (*text == "1" || *text == "-1" || *text == "True" || *text == "true")
        return true;
    if (*text == "0" || *text == "False" || *text == "false")
        return false;
    return std::nullopt;
}

std::optional<OleColor> TextPropertyBag::readColor(std::string_view name)
{
    const std::string* text = find(name);
    if (!text)
        return std::nullopt;
    if (text->starts_with('-')) // a colour saved as a signed 32-bit number
        if (const auto value = parseInteger<std::int32_t>(*text))
            return static_cast<OleColor>(*value);
    return parseInteger<OleColor>(*text);
}

std::optional<float> TextPropertyBag::readSingle(std::string_view name)
{
    const std::string* text = find(name);
    if (!text || text->empty())
        return std::nullopt;
    float value = 0;
    const char* end = text->data() + text->size();
    const auto [ptr, error] = std::from_chars(text->data(), end, value);
    if (error != std::errc {} || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<std::string> TextPropertyBag::readString(std::string_view name)
{
    const std::string* text = find(name);
    if (!text)
        return std::nullopt;
    std::optional<std::string> value = unquoted(*text);
    if (value && value->size() > MaxStringBytes)
        return std::nullopt;
    return value;
}

std::optional<Picture> TextPropertyBag::readPicture(std::string_view name)
{
    const std::string* text = find(name);
    if (!text)
        return std::nullopt;
    const std::size_t colon = text->find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto kind = parseInteger<std::int16_t>(std::string_view(*text).substr(0, colon));
    const std::string_view encoded = std::string_view(*text).substr(colon + 1);
    // Base64 takes four characters for three bytes; reject before decoding anything too long.
    if (!kind || encoded.size() > (MaxPictureBytes / 3 + 1) * 4)
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(
        QByteArray::fromRawData(encoded.data(), static_cast<qsizetype>(encoded.size())),
        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() > MaxPictureBytes)
        return std::nullopt;
    Picture picture;
    picture.kind = static_cast<PictureKind>(*kind);
    const auto* first = reinterpret_cast<const std::uint8_t*>(decoded.decoded.constData());
    picture.data.assign(first, first + decoded.decoded.size());
    return picture;
}

} // namespace qvgauge
