#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace marquis::testing {

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The folder as the editor keeps folders: with a trailing separator.
    std::string folder() const { return m_path.string() + "/"; }
    std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

    // Writes a file byte for byte and returns its path.
    std::filesystem::path write(std::string_view name, std::string_view content) const;

private:
    std::filesystem::path m_path;
};

// A file's whole content, byte for byte ("" when it cannot be read).
std::string readWholeFile(const std::filesystem::path& file);

} // namespace marquis::testing
