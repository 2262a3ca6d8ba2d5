#include "model/propertybag.h"

namespace qvgauge {

PropertyExchange::PropertyExchange(ExchangeMode mode, PropertyBag* bag)
    : m_mode(bag ? mode : ExchangeMode::Reset)
    , m_bag(bag)
{
}

void PropertyExchange::version(PersistVersion current)
{
    m_loadedVersion = current;
    if (m_mode == ExchangeMode::Save)
        m_bag->writeVersion(current);
    else if (m_mode == ExchangeMode::Load)
        m_loadedVersion = m_bag->readVersion().value_or(current);
}

template <typename T, typename Read, typename Write>
void PropertyExchange::exchange(T& value, const T& defaultValue, Read read, Write write)
{
    switch (m_mode) {
    case ExchangeMode::Save:
        write(value);
        break;
    case ExchangeMode::Load:
        value = read().value_or(defaultValue);
        break;
    case ExchangeMode::Reset:
        value = defaultValue;
        break;
    }
}

void PropertyExchange::value(std::string_view name, std::int16_t& value, std::int16_t defaultValue)
{
    exchange(
        value, defaultValue, [&] { return m_bag->readShort(name); },
        [&](std::int16_t v) { m_bag->writeShort(name, v); });
}

void PropertyExchange::value(std::string_view name, bool& value, bool defaultValue)
{
    exchange(
        value, defaultValue, [&] { return m_bag->readBool(name); },
        [&](bool v) { m_bag->writeBool(name, v); });
}

void PropertyExchange::value(std::string_view name, OleColor& value, OleColor defaultValue)
{
    exchange(
        value, defaultValue, [&] { return m_bag->readColor(name); },
        [&](OleColor v) { m_bag->writeColor(name, v); });
}

void PropertyExchange::value(std::string_view name, float& value, float defaultValue)
{
    exchange(
        value, defaultValue, [&] { return m_bag->readSingle(name); },
        [&](float v) { m_bag->writeSingle(name, v); });
}

void PropertyExchange::value(
    std::string_view name, std::string& value, std::string_view defaultValue)
{
    exchange(
        value, std::string(defaultValue), [&] { return m_bag->readString(name); },
        [&](const std::string& v) { m_bag->writeString(name, v); });
}

void PropertyExchange::value(std::string_view name, Picture& value)
{
    exchange(
        value, Picture {},
        [&]() -> std::optional<Picture> {
            std::optional<Picture> loaded = m_bag->readPicture(name);
            if (loaded &&
                (loaded->kind < PictureKind::Empty || loaded->kind > PictureKind::EnhancedMetafile))
                return std::nullopt;
            if (loaded && loaded->kind == PictureKind::Empty)
                loaded->data.clear();
            return loaded;
        },
        [&](const Picture& v) { m_bag->writePicture(name, v); });
}

} // namespace qvgauge
