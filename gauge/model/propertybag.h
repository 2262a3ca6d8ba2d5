#pragma once

#include "model/gaugetypes.h"
#include "model/picture.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qvgauge {

// The version saved with a gauge's properties.
struct PersistVersion {
    int major = 7;
    int minor = 0;

    friend bool operator==(const PersistVersion&, const PersistVersion&) = default;
};

// The largest picture and the longest string (caption, font name) a gauge holds. The setters
// refuse anything larger, so whatever is saved loads again; a load drops a larger one unread.
inline constexpr std::uint32_t MaxPictureBytes = 16u * 1024 * 1024;
inline constexpr std::uint32_t MaxStringBytes = 1024u * 1024;

// Where saved properties go to and come from. A transport decides how names and values are
// written; a transport that keeps values in order may ignore the names. A read answers nothing
// for a value that is missing or cannot be read, and the caller then uses its default.
class PropertyBag {
public:
    virtual ~PropertyBag() = default;

    virtual void writeVersion(PersistVersion version) = 0;
    virtual void writeShort(std::string_view name, std::int16_t value) = 0;
    virtual void writeBool(std::string_view name, bool value) = 0;
    virtual void writeColor(std::string_view name, OleColor value) = 0;
    virtual void writeSingle(std::string_view name, float value) = 0;
    virtual void writeString(std::string_view name, std::string_view value) = 0;
    virtual void writePicture(std::string_view name, const Picture& value) = 0;

    virtual std::optional<PersistVersion> readVersion() = 0;
    virtual std::optional<std::int16_t> readShort(std::string_view name) = 0;
    virtual std::optional<bool> readBool(std::string_view name) = 0;
    virtual std::optional<OleColor> readColor(std::string_view name) = 0;
    virtual std::optional<float> readSingle(std::string_view name) = 0;
    virtual std::optional<std::string> readString(std::string_view name) = 0;
    virtual std::optional<Picture> readPicture(std::string_view name) = 0;
};

enum class ExchangeMode {
    Save, // values go into the bag
    Load, // values come from the bag, defaults where it has none
    Reset, // every value takes its default; there is no bag
};

// One pass over a gauge's persisted properties: the same list of names, values and defaults
// serves saving, loading and resetting, so the three can never disagree on order or defaults.
class PropertyExchange {
public:
    PropertyExchange(ExchangeMode mode, PropertyBag* bag);

    ExchangeMode mode() const { return m_mode; }
    bool isLoading() const { return m_mode == ExchangeMode::Load; }

    // Saves `current`; a load remembers the version found (the current one when none is).
    void version(PersistVersion current);
    PersistVersion loadedVersion() const { return m_loadedVersion; }

    void value(std::string_view name, std::int16_t& value, std::int16_t defaultValue);
    void value(std::string_view name, bool& value, bool defaultValue);
    void value(std::string_view name, OleColor& value, OleColor defaultValue);
    void value(std::string_view name, float& value, float defaultValue);
    void value(std::string_view name, std::string& value, std::string_view defaultValue);
    // Pictures default to empty. One that cannot be read, or whose kind is unknown, loads empty.
    void value(std::string_view name, Picture& value);

private:
    template <typename T, typename Read, typename Write>
    void exchange(T& value, const T& defaultValue, Read read, Write write);

    ExchangeMode m_mode;
    PropertyBag* m_bag;
    PersistVersion m_loadedVersion;
};

} // namespace qvgauge
