#pragma once

#include "model/propertybag.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace qvgauge {

// Properties as text: a "Version=7.0" line, then one "Name=value" line per property in the
// order saved. Numbers are decimal, booleans 1 or 0 (-1, True and False are read too), strings
// quoted with backslash escapes, pictures as their kind, a colon and the image in base64.
// Reading looks values up by their exact name; unknown names are ignored and a value that does
// not parse or does not fit its type counts as missing.
class TextPropertyBag : public PropertyBag {
public:
    TextPropertyBag() = default;
    // Reads lines ended by LF or CR LF.
    explicit TextPropertyBag(std::string_view text);

    // The saved text, each line ended by CR LF.
    std::string text() const;

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
    void put(std::string_view name, std::string value);
    const std::string* find(std::string_view name) const;

    std::vector<std::pair<std::string, std::string>> m_lines; // in order, as written
    std::map<std::string, std::size_t, std::less<>> m_index; // line by name, last one wins
};

} // namespace qvgauge
