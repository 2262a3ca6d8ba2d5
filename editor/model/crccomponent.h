#pragma once

#include "model/checkvaluesource.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace marquis {

// Check values computed by the CRC class of a component module in the program folder. The
// module is loaded on first use and kept for the object's lifetime; when the component cannot
// be created the value is 0. Not for use by several threads at once.
class CrcComponent : public CheckValueSource {
public:
    static constexpr std::string_view defaultIdentifier = "TessalyLibrary.TessalyCRC";

    // identifier is "Library.Class": the module <programFolder>/Library<suffix> and the class
    // created from it. Nothing is loaded yet.
    explicit CrcComponent(const std::filesystem::path& programFolder,
        std::string_view identifier = defaultIdentifier);
    ~CrcComponent() override;

    CrcComponent(const CrcComponent&) = delete;
    CrcComponent& operator=(const CrcComponent&) = delete;
    CrcComponent(CrcComponent&&) = delete;
    CrcComponent& operator=(CrcComponent&&) = delete;

    // The value of all of text's bytes; 0 when the component is not available.
    std::int32_t checkValueOf(std::string_view text) override;
    // The value of the first length bytes of text, length clamped to 0..text.size().
    std::int32_t checkValueOfPrefix(std::string_view text, std::int64_t length);

    // Loads the module if needed and tells whether an object of the class can be created.
    bool available();
    // Why the component could not be created when last tried; empty once it works.
    const std::string& errorText() const;
    // The module file the identifier names; empty when the identifier is malformed.
    const std::filesystem::path& modulePath() const;

private:
    class Loader;
    std::unique_ptr<Loader> m_loader;
};

} // namespace marquis
